#include "platform/registry/RegistryProtocol.h"
#include "core/AsciiText.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace orvex::reg {
namespace {

bool isControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

} // namespace

LStatus copyData(std::string_view bytes, std::uint8_t* data, std::uint32_t* dataSize)
{
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max())
        return ERROR_MORE_DATA;
    const auto size = static_cast<std::uint32_t>(bytes.size());
    if (dataSize == nullptr)
        return data == nullptr ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
    if (data == nullptr) {
        *dataSize = size;
        return ERROR_SUCCESS;
    }
    if (*dataSize < size) {
        *dataSize = size;
        return ERROR_MORE_DATA;
    }
    if (size > 0)
        std::memcpy(data, bytes.data(), size);
    *dataSize = size;
    return ERROR_SUCCESS;
}

LStatus copyName(std::string_view name, char* buffer, std::uint32_t* length)
{
    if (buffer == nullptr || length == nullptr)
        return ERROR_INVALID_PARAMETER;
    if (name.size() >= *length)
        return ERROR_MORE_DATA;
    std::memcpy(buffer, name.data(), name.size());
    buffer[name.size()] = '\0';
    *length = static_cast<std::uint32_t>(name.size());
    return ERROR_SUCCESS;
}

std::optional<std::vector<std::string>> splitKeyPath(std::string_view path)
{
    std::vector<std::string> parts;
    if (path.empty())
        return parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = path.find('\\', start);
        const std::string_view part = path.substr(start, end == std::string_view::npos ? end : end - start);
        if (part.empty() || std::any_of(part.begin(), part.end(), isControl))
            return std::nullopt;
        parts.emplace_back(part);
        if (end == std::string_view::npos)
            return parts;
        start = end + 1;
    }
}

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size()
        && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return asciiLower(x) == asciiLower(y); });
}

bool validValueName(std::string_view name)
{
    return std::none_of(name.begin(), name.end(), [](char c) { return c != '\t' && isControl(c); });
}

} // namespace orvex::reg
