#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvex::platform {

// A key's full path, root name first: {"HKEY_LOCAL_MACHINE", "Software", ...}.
using KeyPath = std::vector<std::string>;

struct HiveValue {
    std::string name; // empty: the key's unnamed value
    std::uint32_t type = 0;
    std::string data; // the bytes as stored
};

// One value, possibly spread over continuation lines, or a run of lines that
// hold no value (blank, comment, unreadable), kept as one. A line read from
// the file is a span of the document's text, so a hive of a hundred thousand
// values costs little more than its own size; a line the program wrote or
// changed holds one of the document's own values instead.
struct HiveLine {
    enum class Kind : std::uint8_t { Value, Blank, Comment, Unreadable };
    static constexpr std::uint32_t kRead = UINT32_MAX;

    Kind kind = Kind::Blank;
    std::uint32_t written = kRead; // which of the document's values, or kRead
    std::uint32_t offset = 0;      // the span of a line read
    std::uint32_t length = 0;
};

struct HiveSection {
    bool readable = true; // false: the header names no key we can read
    KeyPath path;
    std::string rawHeader; // as read; empty for a section the program added
    std::vector<HiveLine> lines;
};

// The hive file's content as the program sees it: keys made of sections,
// lines it could not read kept where they were. Names compare as the
// registry does, ignoring ASCII case. A key exists when a section names it or
// a key below it; the roots always exist.
class HiveDocument {
public:
    enum class KeyDeletion { Deleted, NotFound, HasSubKeys, HoldsUnreadableLines, IsRoot };

    // The text a hive was read from; the lines of the parser point into it.
    explicit HiveDocument(std::string source = {}) : source_(std::move(source)) {}

    static bool isRootName(const std::string& name);

    // The line as read (its physical lines joined by '\n'), written back
    // unchanged; empty for a line the program wrote.
    std::string_view text(const HiveLine& line) const
    {
        return std::string_view(source_).substr(line.offset, line.length);
    }
    const std::string& source() const { return source_; }
    // The value a Kind::Value line holds.
    HiveValue value(const HiveLine& line) const;
    // Its name, without reading the data.
    std::string valueName(const HiveLine& line) const;
    const HiveValue* writtenValue(const HiveLine& line) const
    {
        return line.written == HiveLine::kRead ? nullptr : &written_[line.written];
    }

    // For the parser.
    void setHeader(std::string rawHeader) { rawHeader_ = std::move(rawHeader); }
    void appendPreambleLine(HiveLine line) { preamble_.push_back(line); }
    std::vector<HiveLine>& preambleLines() { return preamble_; }
    void appendSection(HiveSection section) { sections_.push_back(std::move(section)); }

    // For the writer.
    const std::string& header() const { return rawHeader_; }
    const std::vector<HiveLine>& preamble() const { return preamble_; }
    const std::vector<HiveSection>& sections() const { return sections_; }

    bool keyExists(const KeyPath& path) const;
    // The key's values in file order; of two with one name the later wins.
    std::vector<HiveValue> values(const KeyPath& path) const;
    // The value that counts under that name, if there is one.
    std::optional<HiveValue> findValue(const KeyPath& path, const std::string& name) const;
    // Names of the keys directly below, each once.
    std::vector<std::string> subKeys(const KeyPath& path) const;

    // Adds a section for every missing key along the path; false when the key
    // existed already.
    bool createKey(const KeyPath& path);
    // The key must exist.
    void setValue(const KeyPath& path, const HiveValue& value);
    bool deleteValue(const KeyPath& path, const std::string& name);
    // Deletes the key's sections. A key whose sections hold lines the program
    // could not read is refused, so no such line is ever dropped.
    KeyDeletion deleteKey(const KeyPath& path);

private:
    bool isValueNamed(const HiveLine& line, const std::string& name) const;
    bool endsBlank(const HiveLine& line) const;
    bool continuesIntoNextLine(const HiveLine& line) const;
    HiveLine writtenLine(HiveValue value);
    void endWithBlankLine();
    HiveSection newSection(const KeyPath& path) const;
    KeyPath spelled(const KeyPath& path) const;

    std::string source_;
    std::vector<HiveValue> written_;
    std::string rawHeader_;
    std::vector<HiveLine> preamble_;
    std::vector<HiveSection> sections_;
};

} // namespace orvex::platform
