#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <streambuf>
#include <string>
#include <string_view>
#include <vector>

// How both commands of orvex-compare hand back what they found: exit
// statuses, text that a terminal cannot act on, and JSON.
namespace orvex::cli {

// Exit statuses; scripts rely on them.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFindings = 1; // check: the data has findings
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

// `status`, once everything reached `out`; else kExitOutputFailed and why on
// `err`: a script must not go on with a file that was cut short.
int finishOutput(int status, std::ostream& out, std::ostream& err);

// "orvex-compare[ command]: message", a blank line and `usage` on `err`;
// kExitUsage.
int usageError(std::ostream& err, std::string_view command, const std::string& message, std::string_view usage);

// `text` as text output writes it, one way for every command: a backslash
// (and `quote`, when given) preceded by a backslash; C0 controls and DEL as
// \xHH, C1 controls (UTF-8 C2 80 to C2 9F) as \u00HH, in capitals. Nothing a
// data file holds can then move the cursor, start a terminal sequence or
// forge a line.
std::string escapedForText(std::string_view text, char quote = '\0');

// JSON written as it is produced, never held whole: a result of gigabytes
// takes no more memory than its largest text. Indented by two spaces; bytes
// of a data file that are not UTF-8 are replaced rather than thrown on.
// Callers give an object's keys in byte order, the order scripts have
// always seen them in.
class JsonWriter {
public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }
    // The next value's key, in an object.
    JsonWriter& key(std::string_view name);

    void value(std::string_view text);
    void value(const char* text) { value(std::string_view(text)); }
    void value(std::uint64_t number);
    void value(bool flag);
    void value(float number);
    void null();

    void values(const std::vector<std::string>& texts);
    template <typename Number>
    void numbers(const std::vector<Number>& items)
    {
        beginArray();
        for (const Number item : items)
            value(static_cast<std::uint64_t>(item));
        endArray();
    }

private:
    void open(char bracket);
    void close(char bracket);
    // Separator and indent before a value, unless it follows its key.
    void next();

    std::ostream& out_;
    std::vector<std::size_t> counts_; // values so far at each open level
    bool afterKey_ = false;
};

} // namespace orvex::cli
