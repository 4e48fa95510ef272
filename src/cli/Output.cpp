#include "cli/Output.h"

#include "core/Utf8Text.h"

#include <nlohmann/json.hpp>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace orvex::cli {

bool DescriptorOutput::drain()
{
    const char* next = pbase();
    while (error_ == 0 && next < pptr()) {
        const ssize_t written = ::write(fd_, next, static_cast<std::size_t>(pptr() - next));
        if (written >= 0)
            next += written;
        else if (errno != EINTR)
            error_ = errno;
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return error_ == 0;
}

DescriptorOutput::int_type DescriptorOutput::overflow(int_type c)
{
    if (!drain())
        return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof()))
        sputc(traits_type::to_char_type(c));
    return traits_type::not_eof(c);
}

int DescriptorOutput::sync()
{
    return drain() ? 0 : -1;
}

int finishOutput(int status, std::ostream& out, std::ostream& err)
{
    out.flush();
    if (out)
        return status;
    const auto* descriptor = dynamic_cast<const DescriptorOutput*>(out.rdbuf());
    const int reason = descriptor != nullptr ? descriptor->error() : 0;
    err << "orvex-compare: the output could not be written";
    if (reason != 0)
        err << ": " << std::strerror(reason);
    err << '\n';
    return kExitOutputFailed;
}

int usageError(std::ostream& err, std::string_view command, const std::string& message, std::string_view usage)
{
    err << "orvex-compare" << (command.empty() ? "" : " ") << command << ": " << message << "\n\n" << usage;
    return kExitUsage;
}

std::string escapedForText(std::string_view text, char quote)
{
    std::string escaped;
    escaped.reserve(text.size());
    char code[8];
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || (quote != '\0' && c == quote)) {
            escaped += '\\';
            escaped += c;
        } else if (byte < 0x20 || byte == 0x7F) {
            std::snprintf(code, sizeof code, "\\x%02X", byte);
            escaped += code;
        } else if (byte == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) >= 0x80
                   && static_cast<unsigned char>(text[i + 1]) <= 0x9F) {
            // U+0080 to U+009F: CSI (U+009B) alone starts a sequence in many terminals.
            std::snprintf(code, sizeof code, "\\u00%02X", static_cast<unsigned char>(text[++i]));
            escaped += code;
        } else {
            escaped += c;
        }
    }
    return escaped;
}

namespace {

// One scalar as nlohmann writes it: its escaping and number forms are what
// the output has always had.
std::string scalarJson(const nlohmann::json& scalar)
{
    return scalar.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

// Well-formed UTF-8 (Unicode's table 3-7: no overlong forms, surrogates or
// code points past U+10FFFF) without a quote, backslash or control below
// U+0020: JSON takes it as it is.
bool needsNoEscape(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x20 || lead == '"' || lead == '\\')
            return false;
        const std::size_t length = utf8SequenceLength(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

} // namespace

void JsonWriter::next()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (counts_.empty())
        return;
    out_ << (counts_.back()++ == 0 ? "\n" : ",\n");
    out_ << std::string(2 * counts_.size(), ' ');
}

void JsonWriter::open(char bracket)
{
    next();
    out_ << bracket;
    counts_.push_back(0);
}

void JsonWriter::close(char bracket)
{
    const bool empty = counts_.back() == 0;
    counts_.pop_back();
    if (!empty)
        out_ << '\n' << std::string(2 * counts_.size(), ' ');
    out_ << bracket;
    if (counts_.empty())
        out_ << '\n';
}

JsonWriter& JsonWriter::key(std::string_view name)
{
    next();
    out_ << scalarJson(std::string(name)) << ": ";
    afterKey_ = true;
    return *this;
}

void JsonWriter::value(std::string_view text)
{
    next();
    // Most texts go out as they are, without a copy: a result can repeat a
    // line of megabytes thousands of times.
    if (needsNoEscape(text))
        out_ << '"' << text << '"';
    else
        out_ << scalarJson(std::string(text));
}

void JsonWriter::value(std::uint64_t number)
{
    next();
    out_ << number;
}

void JsonWriter::value(bool flag)
{
    next();
    out_ << (flag ? "true" : "false");
}

void JsonWriter::value(float number)
{
    next();
    out_ << scalarJson(number);
}

void JsonWriter::null()
{
    next();
    out_ << "null";
}

void JsonWriter::values(const std::vector<std::string>& texts)
{
    beginArray();
    for (const std::string& text : texts)
        value(text);
    endArray();
}

} // namespace orvex::cli
