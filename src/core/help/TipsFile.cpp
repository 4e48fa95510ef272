#include "core/help/TipsFile.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace orvex {

std::vector<std::string> splitTips(std::string_view text)
{
    std::vector<std::string> tips;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r')
            continue;
        tips.emplace_back(text.substr(start, i - start));
        if (i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        tips.emplace_back(text.substr(start));
    return tips;
}

std::filesystem::path tipsFilePath(const std::filesystem::path& programDirectory)
{
    if (programDirectory.empty())
        return {};
    return programDirectory / kTipsFileName;
}

std::optional<std::vector<std::string>> readTipsFile(const std::filesystem::path& path)
{
    if (path.empty())
        return std::nullopt;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return splitTips(text);
}

} // namespace orvex
