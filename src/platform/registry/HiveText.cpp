#include "platform/registry/HiveText.h"
#include "core/AsciiText.h"
#include "core/Utf8Text.h"

#include "core/settings/RegistryApi.h"
#include "platform/registry/RegistryProtocol.h"

#include <cstdio>

namespace orvex::platform {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
// regedit's width for wrapped hex lists.
constexpr std::size_t kLineWidth = 78;


int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<std::uint32_t> readHexNumber(std::string_view digits)
{
    if (digits.empty() || digits.size() > 8)
        return std::nullopt;
    std::uint32_t number = 0;
    for (const char c : digits) {
        const int digit = hexDigit(c);
        if (digit < 0)
            return std::nullopt;
        number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    return number;
}

// A quoted text starting at `pos`; `pos` ends after the closing quote.
std::optional<std::string> readQuoted(std::string_view text, std::size_t& pos)
{
    if (pos >= text.size() || text[pos] != '"')
        return std::nullopt;
    std::string result;
    for (std::size_t i = pos + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            pos = i + 1;
            return result;
        }
        if (c == '\\') {
            if (i + 1 == text.size() || (text[i + 1] != '\\' && text[i + 1] != '"'))
                return std::nullopt;
            result.push_back(text[++i]);
            continue;
        }
        result.push_back(c);
    }
    return std::nullopt;
}

// The value's name and where its data start (after the '=').
std::optional<std::string> readName(std::string_view line, std::size_t& pos)
{
    std::optional<std::string> name;
    pos = 0;
    if (!line.empty() && line.front() == '@') {
        name.emplace();
        pos = 1;
    } else {
        name = readQuoted(line, pos);
    }
    if (!name || pos >= line.size() || line[pos] != '=')
        return std::nullopt;
    ++pos;
    return name;
}

std::optional<std::string> readHexList(std::string_view list)
{
    std::string bytes;
    list = trimmed(list);
    if (list.empty())
        return bytes;
    while (true) {
        const std::size_t comma = list.find(',');
        const std::string_view token = trimmed(list.substr(0, comma));
        if (token.size() != 2 || hexDigit(token[0]) < 0 || hexDigit(token[1]) < 0)
            return std::nullopt;
        bytes.push_back(static_cast<char>(hexDigit(token[0]) * 16 + hexDigit(token[1])));
        if (comma == std::string_view::npos)
            return bytes;
        list.remove_prefix(comma + 1);
    }
}

std::optional<HiveValue> parseValue(std::string_view line)
{
    std::size_t pos = 0;
    auto name = readName(line, pos);
    if (!name)
        return std::nullopt;
    HiveValue value;
    value.name = std::move(*name);
    const std::string_view data = line.substr(pos);
    if (data.starts_with('"')) {
        std::size_t end = 0;
        auto text = readQuoted(data, end);
        if (!text || end != data.size())
            return std::nullopt;
        value.type = reg::REG_SZ;
        value.data = std::move(*text);
        value.data.push_back('\0');
        return value;
    }
    if (data.starts_with("dword:")) {
        const auto number = readHexNumber(data.substr(6));
        if (!number)
            return std::nullopt;
        value.type = reg::REG_DWORD;
        for (int shift = 0; shift < 32; shift += 8)
            value.data.push_back(static_cast<char>((*number >> shift) & 0xFF));
        return value;
    }
    std::string_view list;
    if (data.starts_with("hex:")) {
        value.type = reg::REG_BINARY;
        list = data.substr(4);
    } else if (data.starts_with("hex(")) {
        const std::size_t close = data.find("):");
        const auto type = close == std::string_view::npos ? std::nullopt : readHexNumber(data.substr(4, close - 4));
        if (!type)
            return std::nullopt;
        value.type = *type;
        list = data.substr(close + 2);
    } else {
        return std::nullopt;
    }
    auto bytes = readHexList(list);
    if (!bytes)
        return std::nullopt;
    value.data = std::move(*bytes);
    return value;
}

std::optional<KeyPath> parseHeader(std::string_view line)
{
    const std::size_t close = line.rfind(']');
    if (line.empty() || line.front() != '[' || close == std::string_view::npos || !trimmed(line.substr(close + 1)).empty())
        return std::nullopt;
    auto path = reg::splitKeyPath(line.substr(1, close - 1));
    if (!path || path->empty() || !HiveDocument::isRootName(path->front()))
        return std::nullopt;
    return path;
}

bool startsHexValue(std::string_view line)
{
    std::size_t pos = 0;
    return readName(line, pos) && line.substr(pos).starts_with("hex");
}

bool continues(std::string_view line)
{
    const std::string_view content = trimmed(line);
    return !content.empty() && content.back() == '\\';
}

// The text line by line, without a list of the lines: a hive of ten
// million blank lines must not cost ten million entries. Lines end at '\n';
// one after the last '\n' counts only if it is not empty.
class Lines {
public:
    explicit Lines(std::string_view text) : text_(text) {}

    bool atEnd(std::size_t pos) const { return pos >= text_.size(); }
    // The line starting at `pos`, without its '\n'.
    std::string_view at(std::size_t pos) const
    {
        const std::size_t end = text_.find('\n', pos);
        return text_.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
    }
    // Where the line after the one at `pos` starts.
    std::size_t next(std::size_t pos) const
    {
        const std::size_t end = text_.find('\n', pos);
        return end == std::string_view::npos ? text_.size() : end + 1;
    }
    // From the start of the line at `first` to the end of the line at `last`.
    std::string_view span(std::size_t first, std::size_t last) const
    {
        return text_.substr(first, last - first + at(last).size());
    }

private:
    std::string_view text_;
};

// How many lines up to the next section could start a value, plus one for
// what follows them: room made once, not by doubling, for a key that holds a
// hundred thousand values.
std::size_t valueLinesAfter(const Lines& lines, std::size_t header)
{
    std::size_t count = 1;
    for (std::size_t pos = lines.next(header); !lines.atEnd(pos); pos = lines.next(pos)) {
        const std::string_view content = trimmed(lines.at(pos));
        if (content.starts_with('['))
            break;
        count += content.starts_with('"') || content.starts_with('@') ? 1 : 0;
    }
    return count;
}

// Several physical lines of a hex list as one, without the backslashes.
std::string joinContinued(std::string_view lines)
{
    std::string joined;
    for (;;) {
        const std::size_t end = lines.find('\n');
        std::string_view part = trimmed(lines.substr(0, end));
        if (end == std::string_view::npos)
            return joined.append(part);
        part.remove_suffix(1);
        joined.append(part);
        lines.remove_prefix(end + 1);
    }
}

bool validUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = utf8SequenceLength(text, i);
        if (length == 0)
            return false;
        i += length;
    }
    return true;
}

// REG_SZ data that fit between quotes: one terminating NUL, no line break.
bool quotable(const HiveValue& value)
{
    if (value.type != reg::REG_SZ || value.data.empty() || value.data.back() != '\0')
        return false;
    const std::string_view text(value.data.data(), value.data.size() - 1);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && c != '\t') || byte == 0x7F)
            return false;
    }
    return validUtf8(text);
}

std::string quote(std::string_view text)
{
    std::string result = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"')
            result.push_back('\\');
        result.push_back(c);
    }
    result.push_back('"');
    return result;
}

std::string hexList(std::string line, std::string_view bytes)
{
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char token[4];
        std::snprintf(token, sizeof token, "%02x", static_cast<unsigned char>(bytes[i]));
        const std::size_t width = i + 1 < bytes.size() ? 3 : 2;
        if (i > 0 && line.size() - lineStart + width + 1 > kLineWidth) {
            line += "\\\n  ";
            lineStart = line.size() - 2;
        }
        line += token;
        if (i + 1 < bytes.size())
            line += ',';
    }
    return line;
}

void writeLine(std::string& out, const HiveDocument& document, const HiveLine& line)
{
    if (const HiveValue* written = document.writtenValue(line))
        out += formatValue(*written);
    else
        out += document.text(line);
    out += '\n';
}

} // namespace

std::optional<HiveValue> parseValueLines(std::string_view lines)
{
    return parseValue(lines.find('\n') == std::string_view::npos ? std::string(trimmed(lines)) : joinContinued(lines));
}

std::optional<std::string> parseValueName(std::string_view lines)
{
    std::size_t pos = 0;
    return readName(trimmed(lines.substr(0, lines.find('\n'))), pos);
}

std::optional<HiveDocument> parseHive(std::string source)
{
    if (source.size() >= HiveLine::kRead)
        return std::nullopt;
    HiveDocument document(std::move(source));
    std::string_view text = document.source();
    const std::size_t base = text.starts_with(kBom) ? kBom.size() : 0;
    text.remove_prefix(base);
    if (text.empty()) {
        document.setHeader(std::string(kHiveHeader));
        document.appendPreambleLine(HiveLine{});
        return document;
    }
    const Lines lines(text);
    const std::string_view headerLine = lines.at(0);
    if (trimmed(headerLine) != kHiveHeader)
        return std::nullopt;
    document.setHeader(std::string(headerLine));

    std::optional<HiveSection> section;
    // Lines that hold no value pile up here and join the document as one
    // entry, one span of its text: a hive of ten million blank lines costs
    // no more than its text.
    std::size_t runStart = 0;
    std::size_t runLast = 0;
    bool inRun = false;
    HiveLine::Kind runKind = HiveLine::Kind::Blank;
    auto target = [&]() -> std::vector<HiveLine>& { return section ? section->lines : document.preambleLines(); };
    auto spanLine = [&](std::size_t first, std::size_t last, HiveLine::Kind kind) {
        HiveLine line;
        line.kind = kind;
        line.offset = static_cast<std::uint32_t>(base + first);
        line.length = static_cast<std::uint32_t>(lines.span(first, last).size());
        return line;
    };
    auto endRun = [&] {
        if (!inRun)
            return;
        target().push_back(spanLine(runStart, runLast, runKind));
        inRun = false;
    };
    auto addToRun = [&](std::size_t first, std::size_t last, HiveLine::Kind kind) {
        if (!inRun) {
            inRun = true;
            runStart = first;
            runKind = kind;
        } else if (kind == HiveLine::Kind::Unreadable || (kind == HiveLine::Kind::Comment && runKind == HiveLine::Kind::Blank)) {
            runKind = kind; // the kind that matters most
        }
        runLast = last;
    };
    for (std::size_t pos = lines.next(0); !lines.atEnd(pos); pos = lines.next(pos)) {
        const std::string_view physical = lines.at(pos);
        const std::string_view content = trimmed(physical);
        if (content.empty()) {
            addToRun(pos, pos, HiveLine::Kind::Blank);
        } else if (content.front() == ';') {
            addToRun(pos, pos, HiveLine::Kind::Comment);
        } else if (content.front() == '[') {
            endRun();
            if (section)
                document.appendSection(std::move(*section));
            section.emplace();
            section->rawHeader = std::string(physical);
            auto path = parseHeader(content);
            section->readable = path.has_value();
            if (path)
                section->path = std::move(*path);
            section->lines.reserve(valueLinesAfter(lines, pos));
        } else {
            std::size_t last = pos;
            const bool hex = startsHexValue(content);
            if (hex)
                while (continues(lines.at(last)) && !lines.atEnd(lines.next(last))
                       && !trimmed(lines.at(lines.next(last))).starts_with('['))
                    last = lines.next(last);
            const bool cut = hex && continues(lines.at(last));
            if (!section || !section->readable || cut || !parseValueLines(lines.span(pos, last))) {
                addToRun(pos, last, HiveLine::Kind::Unreadable);
            } else {
                endRun();
                target().push_back(spanLine(pos, last, HiveLine::Kind::Value));
            }
            pos = last;
        }
    }
    endRun();
    if (section)
        document.appendSection(std::move(*section));
    return document;
}

std::string formatValue(const HiveValue& value)
{
    std::string line = (value.name.empty() ? std::string("@") : quote(value.name)) + "=";
    if (quotable(value))
        return line + quote(std::string_view(value.data.data(), value.data.size() - 1));
    if (value.type == reg::REG_DWORD && value.data.size() == 4) {
        std::uint32_t number = 0;
        for (int k = 3; k >= 0; --k)
            number = number << 8 | static_cast<unsigned char>(value.data[static_cast<std::size_t>(k)]);
        char digits[9];
        std::snprintf(digits, sizeof digits, "%08x", number);
        return line + "dword:" + digits;
    }
    if (value.type == reg::REG_BINARY)
        return hexList(line + "hex:", value.data);
    char type[16];
    std::snprintf(type, sizeof type, "hex(%x):", value.type);
    return hexList(line + type, value.data);
}

std::string writeHive(const HiveDocument& document)
{
    std::string out;
    out.reserve(document.source().size() + 4096); // once, not by doubling
    out += document.header().empty() ? kHiveHeader : std::string_view(document.header());
    out += '\n';
    for (const auto& line : document.preamble())
        writeLine(out, document, line);
    for (const auto& section : document.sections()) {
        if (!section.rawHeader.empty()) {
            out += section.rawHeader;
        } else {
            out += '[';
            for (std::size_t i = 0; i < section.path.size(); ++i)
                out.append(i == 0 ? "" : "\\").append(section.path[i]);
            out += ']';
        }
        out += '\n';
        for (const auto& line : section.lines)
            writeLine(out, document, line);
    }
    return out;
}

} // namespace orvex::platform
