#pragma once

#include <functional>
#include <array>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::cli {

// Exit statuses; scripts rely on them.
inline constexpr int kExitOk = 0;
inline constexpr int kExitLoadFailed = 2;
inline constexpr int kExitUsage = 64;
// EX_IOERR: the output could not be written; it wins over the others.
inline constexpr int kExitOutputFailed = 74;

// Output to a file descriptor through write(2) alone: stdio forgets why a
// write failed, and the message must say it (full disk, broken pipe).
class DescriptorOutput final : public std::streambuf {
public:
    explicit DescriptorOutput(int fd) : fd_(fd) { setp(buffer_.data(), buffer_.data() + buffer_.size()); }
    ~DescriptorOutput() override { sync(); }
    DescriptorOutput(const DescriptorOutput&) = delete;
    DescriptorOutput& operator=(const DescriptorOutput&) = delete;

    // The errno of the first failed write, else 0.
    int error() const { return error_; }

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    bool drain();

    int fd_;
    int error_ = 0;
    std::array<char, 65536> buffer_{};
};

// Runs `orvex-compare` with `arguments` (without the program name). Data
// files are read by bare name from the current directory. `today` gives the
// long date used by --report when --date is not given.
int runCompareCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                      const std::function<std::string()>& today);

// `text` as text output writes it, one way for every command: a backslash
// (and `quote`, when given) preceded by a backslash; C0 controls and DEL as
// \xHH, C1 controls (UTF-8 C2 80 to C2 9F) as \u00HH, in capitals. Nothing a
// data file holds can then move the cursor, start a terminal sequence or
// forge a line.
std::string escapedForText(std::string_view text, char quote = '\0');

} // namespace orvex::cli
