#include "platform/registry/HiveFileRegistry.h"

#include "platform/registry/RegistryProtocol.h"

#include <algorithm>
#include <array>
#include <utility>

namespace orvex::platform {
namespace {

const char* rootName(HKey key)
{
    for (const reg::PredefinedKey& root : reg::kPredefinedKeys)
        if (root.key == key)
            return root.name.data(); // the table's names are literals
    return nullptr;
}

} // namespace

HiveFileRegistry::HiveFileRegistry(std::filesystem::path hiveFile) : file_(std::move(hiveFile)) {}

LStatus HiveFileRegistry::pathOf(HKey key, KeyPath& path) const
{
    if (const char* root = rootName(key)) {
        path = {root};
        return reg::ERROR_SUCCESS;
    }
    const auto handle = handles_.find(key);
    if (handle == handles_.end())
        return reg::ERROR_INVALID_HANDLE;
    path = handle->second.path;
    return reg::ERROR_SUCCESS;
}

LStatus HiveFileRegistry::below(HKey key, const std::string& subKey, KeyPath& path) const
{
    if (const LStatus status = pathOf(key, path); status != reg::ERROR_SUCCESS)
        return status;
    const auto parts = reg::splitKeyPath(subKey);
    if (!parts)
        return reg::ERROR_INVALID_PARAMETER;
    path.insert(path.end(), parts->begin(), parts->end());
    return reg::ERROR_SUCCESS;
}

LStatus HiveFileRegistry::usable(HKey key, std::uint32_t right, KeyPath& path) const
{
    if (rootName(key) != nullptr) {
        // A root may be read, not written.
        if (reg::asksToWrite(right))
            return reg::ERROR_ACCESS_DENIED;
        return pathOf(key, path);
    }
    const auto handle = handles_.find(key);
    if (handle == handles_.end())
        return reg::ERROR_INVALID_HANDLE;
    if ((handle->second.access & right) != right)
        return reg::ERROR_ACCESS_DENIED;
    path = handle->second.path;
    return reg::ERROR_SUCCESS;
}

LStatus HiveFileRegistry::current(const KeyPath& path, HiveDocument& document) const
{
    if (const LStatus status = file_.read(document); status != reg::ERROR_SUCCESS)
        return status;
    // Another program may have deleted the key since it was opened.
    return document.keyExists(path) ? reg::ERROR_SUCCESS : reg::ERROR_KEY_DELETED;
}

LStatus HiveFileRegistry::readable(HKey key, KeyPath& path, HiveDocument& document) const
{
    if (const LStatus status = usable(key, reg::KEY_QUERY_VALUE, path); status != reg::ERROR_SUCCESS)
        return status;
    return current(path, document);
}

HKey HiveFileRegistry::remember(KeyPath path, std::uint32_t access)
{
    const HKey key = nextHandle_++;
    handles_[key] = Handle{std::move(path), access};
    return key;
}

LStatus HiveFileRegistry::openKey(HKey key, const std::string& subKey, std::uint32_t access, HKey& result)
{
    KeyPath path;
    if (const LStatus status = below(key, subKey, path); status != reg::ERROR_SUCCESS)
        return status;
    HiveDocument document;
    if (const LStatus status = file_.read(document); status != reg::ERROR_SUCCESS)
        return status;
    if (!document.keyExists(path))
        return reg::ERROR_FILE_NOT_FOUND;
    if (reg::asksToWrite(access) && !file_.writable())
        return reg::ERROR_ACCESS_DENIED;
    result = remember(std::move(path), access);
    return reg::ERROR_SUCCESS;
}

LStatus HiveFileRegistry::createKey(HKey key, const std::string& subKey, std::uint32_t, std::uint32_t access,
                                    HKey& result)
{
    KeyPath path;
    if (const LStatus status = below(key, subKey, path); status != reg::ERROR_SUCCESS)
        return status;
    HiveDocument document;
    if (const LStatus status = file_.read(document); status != reg::ERROR_SUCCESS)
        return status;
    const bool exists = document.keyExists(path);
    if (!exists || reg::asksToWrite(access)) {
        if (!file_.writable())
            return reg::ERROR_ACCESS_DENIED;
        const LStatus status = file_.update([&](HiveDocument& hive, bool& changed) {
            changed = hive.createKey(path);
            return reg::ERROR_SUCCESS;
        });
        if (status != reg::ERROR_SUCCESS)
            return status;
    }
    result = remember(std::move(path), access);
    return reg::ERROR_SUCCESS;
}

LStatus HiveFileRegistry::queryValue(HKey key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                                     std::uint32_t* dataSize)
{
    KeyPath path;
    HiveDocument document;
    if (const LStatus status = readable(key, path, document); status != reg::ERROR_SUCCESS)
        return status;
    const auto value = document.findValue(path, valueName);
    if (!value)
        return reg::ERROR_FILE_NOT_FOUND;
    if (type != nullptr)
        *type = value->type;
    return reg::copyData(value->data, data, dataSize);
}

LStatus HiveFileRegistry::setValue(HKey key, const std::string& valueName, std::uint32_t type,
                                   const std::uint8_t* data, std::uint32_t size)
{
    KeyPath path;
    if (const LStatus status = usable(key, reg::KEY_SET_VALUE, path); status != reg::ERROR_SUCCESS)
        return status;
    // A name with a line break could not be written as one line of the hive.
    if (!reg::validValueName(valueName) || (data == nullptr && size != 0))
        return reg::ERROR_INVALID_PARAMETER;
    const HiveValue value{valueName, type, size == 0 ? std::string() : std::string(reinterpret_cast<const char*>(data), size)};
    return file_.update([&](HiveDocument& hive, bool& changed) {
        if (!hive.keyExists(path))
            return reg::ERROR_KEY_DELETED;
        const auto old = hive.findValue(path, valueName);
        // Rewriting a value with what it holds already leaves the file alone.
        changed = !old || old->type != type || old->data != value.data;
        if (changed)
            hive.setValue(path, value);
        return reg::ERROR_SUCCESS;
    });
}

LStatus HiveFileRegistry::queryInfoKey(HKey key, RegKeyInfo& info)
{
    KeyPath path;
    HiveDocument document;
    if (const LStatus status = readable(key, path, document); status != reg::ERROR_SUCCESS)
        return status;
    info = RegKeyInfo{};
    const auto subKeys = document.subKeys(path);
    const auto values = document.values(path);
    info.subKeys = static_cast<std::uint32_t>(subKeys.size());
    info.values = static_cast<std::uint32_t>(values.size());
    for (const auto& name : subKeys)
        info.maxSubKeyLen = std::max(info.maxSubKeyLen, static_cast<std::uint32_t>(name.size()));
    for (const auto& value : values) {
        info.maxValueNameLen = std::max(info.maxValueNameLen, static_cast<std::uint32_t>(value.name.size()));
        info.maxValueLen = std::max(info.maxValueLen, static_cast<std::uint32_t>(value.data.size()));
    }
    return reg::ERROR_SUCCESS;
}

LStatus HiveFileRegistry::enumValue(HKey key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                                    std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize)
{
    KeyPath path;
    HiveDocument document;
    if (const LStatus status = readable(key, path, document); status != reg::ERROR_SUCCESS)
        return status;
    const auto values = document.values(path);
    if (index >= values.size())
        return reg::ERROR_NO_MORE_ITEMS;
    const HiveValue& value = values[index];
    if (const LStatus status = reg::copyName(value.name, name, nameLength); status != reg::ERROR_SUCCESS)
        return status;
    if (type != nullptr)
        *type = value.type;
    return reg::copyData(value.data, data, dataSize);
}

LStatus HiveFileRegistry::deleteKey(HKey key, const std::string& subKey)
{
    KeyPath path;
    if (const LStatus status = below(key, subKey, path); status != reg::ERROR_SUCCESS)
        return status;
    if (!file_.writable())
        return reg::ERROR_ACCESS_DENIED;
    return file_.update([&](HiveDocument& hive, bool& changed) {
        switch (hive.deleteKey(path)) {
        case HiveDocument::KeyDeletion::Deleted:
            changed = true;
            return reg::ERROR_SUCCESS;
        case HiveDocument::KeyDeletion::NotFound:
            return reg::ERROR_FILE_NOT_FOUND;
        case HiveDocument::KeyDeletion::HoldsUnreadableLines:
            return reg::ERROR_BADDB;
        case HiveDocument::KeyDeletion::HasSubKeys:
        case HiveDocument::KeyDeletion::IsRoot:
            break;
        }
        return reg::ERROR_ACCESS_DENIED;
    });
}

LStatus HiveFileRegistry::deleteValue(HKey key, const std::string& valueName)
{
    KeyPath path;
    if (const LStatus status = usable(key, reg::KEY_SET_VALUE, path); status != reg::ERROR_SUCCESS)
        return status;
    return file_.update([&](HiveDocument& hive, bool& changed) {
        if (!hive.keyExists(path))
            return reg::ERROR_KEY_DELETED;
        changed = hive.deleteValue(path, valueName);
        return changed ? reg::ERROR_SUCCESS : reg::ERROR_FILE_NOT_FOUND;
    });
}

LStatus HiveFileRegistry::closeKey(HKey key)
{
    if (rootName(key) != nullptr)
        return reg::ERROR_SUCCESS;
    return handles_.erase(key) != 0 ? reg::ERROR_SUCCESS : reg::ERROR_INVALID_HANDLE;
}

} // namespace orvex::platform
