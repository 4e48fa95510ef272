#include "core/help/TipsFile.h"

#include <algorithm>
#include <fstream>
#include <system_error>

namespace orvex {

void TipSplitter::feed(std::string_view piece)
{
    while (!piece.empty() && !full()) {
        if (afterCr_) {
            afterCr_ = false;
            if (piece.front() == '\n') {
                piece.remove_prefix(1);
                continue;
            }
        }
        const std::size_t end = piece.find('\r');
        const std::string_view part = piece.substr(0, end);
        inTip_ = inTip_ || !part.empty();
        tip_.append(part.substr(0, kTipBytesKept - std::min(tip_.size(), kTipBytesKept)));
        if (end == std::string_view::npos)
            return;
        tips_.push_back(std::move(tip_));
        tip_.clear();
        inTip_ = false;
        afterCr_ = true;
        piece.remove_prefix(end + 1);
    }
}

std::vector<std::string> TipSplitter::finish()
{
    if (inTip_ && !full())
        tips_.push_back(std::move(tip_));
    inTip_ = false;
    return std::move(tips_);
}

std::vector<std::string> splitTips(std::string_view text)
{
    TipSplitter splitter;
    splitter.feed(text);
    return splitter.finish();
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
    TipSplitter splitter;
    std::vector<char> buffer(std::size_t{64} << 10);
    for (std::size_t read = 0; read < kTipsReadLimit && !splitter.full() && in;) {
        in.read(buffer.data(), static_cast<std::streamsize>(std::min(buffer.size(), kTipsReadLimit - read)));
        const auto got = static_cast<std::size_t>(in.gcount());
        splitter.feed({buffer.data(), got});
        read += got;
    }
    if (in.bad())
        return std::nullopt;
    return splitter.finish();
}

} // namespace orvex
