#include "platform/registry/HiveDocument.h"
#include "core/AsciiText.h"

#include "platform/registry/HiveText.h"
#include "platform/registry/RegistryProtocol.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <unordered_map>

namespace orvex::platform {
namespace {

// True when `prefix` is `path` or one of the keys above it.
bool startsWith(const KeyPath& path, const KeyPath& prefix)
{
    return path.size() >= prefix.size()
        && std::equal(prefix.begin(), prefix.end(), path.begin(),
                      [](const std::string& a, const std::string& b) { return reg::sameName(a, b); });
}

bool samePath(const KeyPath& a, const KeyPath& b)
{
    return a.size() == b.size() && startsWith(a, b);
}

bool names(const HiveSection& section, const KeyPath& path)
{
    return section.readable && samePath(section.path, path);
}

// Names fold as the registry compares them, for lookups by hash.
std::string folded(const std::string& name)
{
    return asciiLowered(name);
}

} // namespace

HiveValue HiveDocument::value(const HiveLine& line) const
{
    if (const HiveValue* written = writtenValue(line))
        return *written;
    // The parser made it a value line only after reading it as one.
    return parseValueLines(text(line)).value_or(HiveValue{});
}

std::string HiveDocument::valueName(const HiveLine& line) const
{
    if (const HiveValue* written = writtenValue(line))
        return written->name;
    return parseValueName(text(line)).value_or(std::string());
}

bool HiveDocument::isValueNamed(const HiveLine& line, const std::string& name) const
{
    return line.kind == HiveLine::Kind::Value && reg::sameName(valueName(line), name);
}

// A hex list cut short ends in a backslash and takes the next line in as its
// last part, unless that line opens a section.
bool HiveDocument::continuesIntoNextLine(const HiveLine& line) const
{
    const std::string_view raw = text(line);
    const std::size_t end = raw.find_last_not_of(" \t\r");
    return line.kind == HiveLine::Kind::Unreadable && end != std::string_view::npos && raw[end] == '\\';
}

// A line, or the last line of a run, that holds nothing but white space.
bool HiveDocument::endsBlank(const HiveLine& line) const
{
    if (line.kind == HiveLine::Kind::Value)
        return false;
    const std::string_view raw = text(line);
    const std::size_t lastStart = raw.rfind('\n');
    return raw.substr(lastStart == std::string_view::npos ? 0 : lastStart + 1).find_first_not_of(" \t\r")
        == std::string_view::npos;
}

HiveLine HiveDocument::writtenLine(HiveValue value)
{
    HiveLine line;
    line.kind = HiveLine::Kind::Value;
    line.written = static_cast<std::uint32_t>(written_.size());
    written_.push_back(std::move(value));
    return line;
}

bool HiveDocument::isRootName(const std::string& name)
{
    return std::any_of(reg::kPredefinedKeys.begin(), reg::kPredefinedKeys.end(),
                       [&](const reg::PredefinedKey& root) { return reg::sameName(root.name, name); });
}

bool HiveDocument::keyExists(const KeyPath& path) const
{
    if (path.empty() || !isRootName(path.front()))
        return false;
    if (path.size() == 1)
        return true;
    return std::any_of(sections_.begin(), sections_.end(),
                       [&](const HiveSection& section) { return section.readable && startsWith(section.path, path); });
}

std::vector<HiveValue> HiveDocument::values(const KeyPath& path) const
{
    // By hash: a key may hold a hundred thousand values.
    std::vector<HiveValue> found;
    std::unordered_map<std::string, std::size_t> indexByName;
    for (const auto& section : sections_) {
        if (!names(section, path))
            continue;
        for (const auto& line : section.lines) {
            if (line.kind != HiveLine::Kind::Value)
                continue;
            HiveValue value = this->value(line);
            const auto [at, added] = indexByName.try_emplace(folded(value.name), found.size());
            if (added)
                found.push_back(std::move(value));
            else
                found[at->second] = std::move(value);
        }
    }
    return found;
}

std::optional<HiveValue> HiveDocument::findValue(const KeyPath& path, const std::string& name) const
{
    const HiveLine* found = nullptr;
    for (const auto& section : sections_) {
        if (!names(section, path))
            continue;
        for (const auto& line : section.lines)
            if (isValueNamed(line, name))
                found = &line;
    }
    return found == nullptr ? std::nullopt : std::optional<HiveValue>(value(*found));
}

std::vector<std::string> HiveDocument::subKeys(const KeyPath& path) const
{
    std::vector<std::string> found;
    for (const auto& section : sections_) {
        if (!section.readable || section.path.size() <= path.size() || !startsWith(section.path, path))
            continue;
        const std::string& name = section.path[path.size()];
        if (std::none_of(found.begin(), found.end(), [&](const std::string& n) { return reg::sameName(n, name); }))
            found.push_back(name);
    }
    return found;
}

KeyPath HiveDocument::spelled(const KeyPath& path) const
{
    // Keys that exist keep the spelling the file gives them.
    KeyPath result = path;
    for (std::size_t length = 1; length <= path.size(); ++length) {
        const KeyPath prefix(path.begin(), path.begin() + static_cast<std::ptrdiff_t>(length));
        for (const auto& section : sections_) {
            if (section.readable && startsWith(section.path, prefix)) {
                result[length - 1] = section.path[length - 1];
                break;
            }
        }
    }
    return result;
}

void HiveDocument::endWithBlankLine()
{
    auto& lines = sections_.empty() ? preamble_ : sections_.back().lines;
    // A blank line after a cut hex list would end it, and could make a value
    // of it; the section header that follows ends it as it is.
    if (lines.empty() || (!endsBlank(lines.back()) && !continuesIntoNextLine(lines.back())))
        lines.push_back(HiveLine{});
}

HiveSection HiveDocument::newSection(const KeyPath& path) const
{
    HiveSection section;
    section.path = path;
    section.lines.push_back(HiveLine{});
    return section;
}

bool HiveDocument::createKey(const KeyPath& path)
{
    if (keyExists(path))
        return false;
    const KeyPath wanted = spelled(path);
    for (std::size_t length = 2; length <= wanted.size(); ++length) {
        const KeyPath prefix(wanted.begin(), wanted.begin() + static_cast<std::ptrdiff_t>(length));
        if (keyExists(prefix))
            continue;
        endWithBlankLine();
        sections_.push_back(newSection(prefix));
    }
    return true;
}

void HiveDocument::setValue(const KeyPath& path, const HiveValue& value)
{
    HiveSection* last = nullptr;
    HiveLine* existing = nullptr;
    for (auto& section : sections_) {
        if (!names(section, path))
            continue;
        last = &section;
        for (auto& line : section.lines)
            if (isValueNamed(line, value.name))
                existing = &line;
    }
    if (existing != nullptr) {
        // The later line is the one that counts; earlier ones stay shadowed.
        // It keeps the name as the file spells it.
        *existing = writtenLine(HiveValue{valueName(*existing), value.type, value.data});
        return;
    }
    if (last == nullptr) {
        // The key exists only through keys below it: give it a section.
        endWithBlankLine();
        sections_.push_back(newSection(spelled(path)));
        last = &sections_.back();
    }
    // Right after the last value: a line the program could not read may be a
    // hex list cut short, whose trailing backslash would swallow the next line.
    auto& lines = last->lines;
    auto at = lines.begin();
    for (auto line = lines.begin(); line != lines.end(); ++line)
        if (line->kind == HiveLine::Kind::Value)
            at = std::next(line);
    lines.insert(at, writtenLine(value));
}

bool HiveDocument::deleteValue(const KeyPath& path, const std::string& name)
{
    bool deleted = false;
    for (auto& section : sections_) {
        if (names(section, path))
            deleted |= std::erase_if(section.lines, [&](const HiveLine& line) { return isValueNamed(line, name); }) > 0;
    }
    return deleted;
}

HiveDocument::KeyDeletion HiveDocument::deleteKey(const KeyPath& path)
{
    if (path.size() <= 1)
        return KeyDeletion::IsRoot;
    if (!keyExists(path))
        return KeyDeletion::NotFound;
    if (!subKeys(path).empty())
        return KeyDeletion::HasSubKeys;
    for (const auto& section : sections_) {
        if (names(section, path)
            && std::any_of(section.lines.begin(), section.lines.end(),
                           [](const HiveLine& line) { return line.kind == HiveLine::Kind::Unreadable; }))
            return KeyDeletion::HoldsUnreadableLines;
    }
    const KeyPath parent = spelled(KeyPath(path.begin(), path.end() - 1));
    const std::ptrdiff_t first = std::find_if(sections_.begin(), sections_.end(),
                                              [&](const HiveSection& section) { return names(section, path); })
        - sections_.begin();
    std::erase_if(sections_, [&](const HiveSection& section) { return names(section, path); });
    // A parent that existed only through this key stays, as it does in the registry.
    if (!keyExists(parent)) {
        const std::ptrdiff_t at = std::min(first, static_cast<std::ptrdiff_t>(sections_.size()));
        sections_.insert(sections_.begin() + at, newSection(parent));
    }
    return KeyDeletion::Deleted;
}

} // namespace orvex::platform
