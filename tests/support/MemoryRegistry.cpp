#include "support/MemoryRegistry.h"

#include "platform/registry/RegistryProtocol.h"

#include <algorithm>

namespace orvex::test {

struct MemoryRegistry::Key {
    std::string name;
    std::weak_ptr<Key> parent;
    std::vector<std::shared_ptr<Key>> children;
    std::vector<Value> values;
    bool deleted = false;

    std::shared_ptr<Key> child(const std::string& childName) const
    {
        for (const auto& candidate : children)
            if (reg::sameName(candidate->name, childName))
                return candidate;
        return nullptr;
    }
    std::vector<Value>::iterator findValue(const std::string& valueName)
    {
        return std::find_if(values.begin(), values.end(),
                            [&](const Value& v) { return reg::sameName(v.name, valueName); });
    }
};

MemoryRegistry::MemoryRegistry()
{
    for (const HKey root : {reg::HKEY_CLASSES_ROOT, reg::HKEY_CURRENT_USER, reg::HKEY_LOCAL_MACHINE, reg::HKEY_USERS,
                            reg::HKEY_CURRENT_CONFIG})
        roots_[root] = std::make_shared<Key>();
}

MemoryRegistry::~MemoryRegistry() = default;

std::shared_ptr<MemoryRegistry::Key> MemoryRegistry::resolve(HKey key) const
{
    if (const auto root = roots_.find(key); root != roots_.end())
        return root->second;
    if (const auto handle = handles_.find(key); handle != handles_.end())
        return handle->second.key;
    return nullptr;
}

std::shared_ptr<MemoryRegistry::Key> MemoryRegistry::find(const std::shared_ptr<Key>& from,
                                                          const std::vector<std::string>& parts) const
{
    std::shared_ptr<Key> current = from;
    for (const auto& part : parts) {
        if (!current)
            break;
        current = current->child(part);
    }
    return current;
}

LStatus MemoryRegistry::open(HKey key, const std::string& subKey, std::uint32_t access, bool create, HKey& result)
{
    const auto parent = resolve(key);
    if (!parent)
        return reg::ERROR_INVALID_HANDLE;
    if (parent->deleted)
        return reg::ERROR_KEY_DELETED;
    const auto parts = reg::splitKeyPath(subKey);
    if (!parts)
        return reg::ERROR_INVALID_PARAMETER;
    if (readOnly_ && reg::asksToWrite(access))
        return reg::ERROR_ACCESS_DENIED;
    std::shared_ptr<Key> current = parent;
    for (const auto& part : *parts) {
        auto next = current->child(part);
        if (!next) {
            if (!create)
                return reg::ERROR_FILE_NOT_FOUND;
            next = std::make_shared<Key>();
            next->name = part;
            next->parent = current;
            current->children.push_back(next);
        }
        current = next;
    }
    result = nextHandle_++;
    handles_[result] = Handle{current, access};
    return reg::ERROR_SUCCESS;
}

LStatus MemoryRegistry::usable(HKey key, std::uint32_t right, std::shared_ptr<Key>& found) const
{
    const auto handle = handles_.find(key);
    if (handle == handles_.end())
        return roots_.count(key) != 0 ? reg::ERROR_ACCESS_DENIED : reg::ERROR_INVALID_HANDLE;
    if ((handle->second.access & right) != right)
        return reg::ERROR_ACCESS_DENIED;
    if (handle->second.key->deleted)
        return reg::ERROR_KEY_DELETED;
    found = handle->second.key;
    return reg::ERROR_SUCCESS;
}

LStatus MemoryRegistry::openKey(HKey key, const std::string& subKey, std::uint32_t access, HKey& result)
{
    return open(key, subKey, access, false, result);
}

LStatus MemoryRegistry::createKey(HKey key, const std::string& subKey, std::uint32_t, std::uint32_t access,
                                  HKey& result)
{
    if (readOnly_)
        return reg::ERROR_ACCESS_DENIED;
    return open(key, subKey, access, true, result);
}

LStatus MemoryRegistry::queryValue(HKey key, const std::string& valueName, std::uint32_t* type, std::uint8_t* data,
                                   std::uint32_t* dataSize)
{
    std::shared_ptr<Key> found;
    if (const LStatus status = usable(key, reg::KEY_QUERY_VALUE, found); status != reg::ERROR_SUCCESS)
        return status;
    const auto value = found->findValue(valueName);
    if (value == found->values.end())
        return reg::ERROR_FILE_NOT_FOUND;
    if (type != nullptr)
        *type = value->type;
    return reg::copyData(value->data, data, dataSize);
}

LStatus MemoryRegistry::setValue(HKey key, const std::string& valueName, std::uint32_t type, const std::uint8_t* data,
                                 std::uint32_t size)
{
    std::shared_ptr<Key> found;
    if (const LStatus status = usable(key, reg::KEY_SET_VALUE, found); status != reg::ERROR_SUCCESS)
        return status;
    if (!reg::validValueName(valueName) || (data == nullptr && size != 0))
        return reg::ERROR_INVALID_PARAMETER;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    if (const auto value = found->findValue(valueName); value != found->values.end()) {
        value->type = type;
        value->data = std::move(bytes);
    } else {
        found->values.push_back(Value{valueName, type, std::move(bytes)});
    }
    return reg::ERROR_SUCCESS;
}

LStatus MemoryRegistry::queryInfoKey(HKey key, RegKeyInfo& info)
{
    std::shared_ptr<Key> found;
    if (const LStatus status = usable(key, reg::KEY_QUERY_VALUE, found); status != reg::ERROR_SUCCESS)
        return status;
    info = RegKeyInfo{};
    info.subKeys = static_cast<std::uint32_t>(found->children.size());
    info.values = static_cast<std::uint32_t>(found->values.size());
    for (const auto& child : found->children)
        info.maxSubKeyLen = std::max(info.maxSubKeyLen, static_cast<std::uint32_t>(child->name.size()));
    for (const auto& value : found->values) {
        info.maxValueNameLen = std::max(info.maxValueNameLen, static_cast<std::uint32_t>(value.name.size()));
        info.maxValueLen = std::max(info.maxValueLen, static_cast<std::uint32_t>(value.data.size()));
    }
    return reg::ERROR_SUCCESS;
}

LStatus MemoryRegistry::enumValue(HKey key, std::uint32_t index, char* name, std::uint32_t* nameLength,
                                  std::uint32_t* type, std::uint8_t* data, std::uint32_t* dataSize)
{
    std::shared_ptr<Key> found;
    if (const LStatus status = usable(key, reg::KEY_QUERY_VALUE, found); status != reg::ERROR_SUCCESS)
        return status;
    if (index >= found->values.size())
        return reg::ERROR_NO_MORE_ITEMS;
    const Value& value = found->values[index];
    if (const LStatus status = reg::copyName(value.name, name, nameLength); status != reg::ERROR_SUCCESS)
        return status;
    if (type != nullptr)
        *type = value.type;
    return reg::copyData(value.data, data, dataSize);
}

LStatus MemoryRegistry::deleteKey(HKey key, const std::string& subKey)
{
    const auto parent = resolve(key);
    if (!parent)
        return reg::ERROR_INVALID_HANDLE;
    const auto parts = reg::splitKeyPath(subKey);
    if (!parts)
        return reg::ERROR_INVALID_PARAMETER;
    if (readOnly_)
        return reg::ERROR_ACCESS_DENIED;
    const auto target = find(parent, *parts);
    if (!target || target->deleted)
        return reg::ERROR_FILE_NOT_FOUND;
    const auto owner = target->parent.lock();
    // A root has no parent and cannot go; nor can a key with subkeys.
    if (!owner || !target->children.empty())
        return reg::ERROR_ACCESS_DENIED;
    std::erase(owner->children, target);
    target->deleted = true;
    return reg::ERROR_SUCCESS;
}

LStatus MemoryRegistry::deleteValue(HKey key, const std::string& valueName)
{
    std::shared_ptr<Key> found;
    if (const LStatus status = usable(key, reg::KEY_SET_VALUE, found); status != reg::ERROR_SUCCESS)
        return status;
    const auto value = found->findValue(valueName);
    if (value == found->values.end())
        return reg::ERROR_FILE_NOT_FOUND;
    found->values.erase(value);
    return reg::ERROR_SUCCESS;
}

LStatus MemoryRegistry::closeKey(HKey key)
{
    if (roots_.count(key) != 0)
        return reg::ERROR_SUCCESS;
    return handles_.erase(key) != 0 ? reg::ERROR_SUCCESS : reg::ERROR_INVALID_HANDLE;
}

bool MemoryRegistry::keyExists(const std::string& path) const
{
    const auto parts = reg::splitKeyPath(path);
    return parts && find(roots_.at(reg::HKEY_LOCAL_MACHINE), *parts) != nullptr;
}

std::optional<MemoryRegistry::Value> MemoryRegistry::value(const std::string& path, const std::string& name) const
{
    const auto parts = reg::splitKeyPath(path);
    const auto key = parts ? find(roots_.at(reg::HKEY_LOCAL_MACHINE), *parts) : nullptr;
    if (!key)
        return std::nullopt;
    const auto found = key->findValue(name);
    return found == key->values.end() ? std::nullopt : std::optional<Value>(*found);
}

} // namespace orvex::test
