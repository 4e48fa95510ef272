// Any bytes as the settings hive file: parsed, written back, parsed again;
// then edited the way the registry layer edits it (keys and values it
// accepts), written and read back. What was read comes back byte for byte,
// and what the program wrote reads back as the same keys and values.
#include "platform/registry/HiveDocument.h"
#include "core/AsciiText.h"
#include "platform/registry/HiveText.h"
#include "platform/registry/RegistryProtocol.h"

#include "FuzzSupport.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace {

using orvex::platform::HiveDocument;
using orvex::platform::HiveLine;
using orvex::platform::HiveSection;
using orvex::platform::HiveValue;
using orvex::platform::KeyPath;

constexpr std::string_view kBom = "\xEF\xBB\xBF";

using orvex::fuzz::fail;

using orvex::trimmed;

bool sameValue(const HiveValue& a, const HiveValue& b)
{
    return a.name == b.name && a.type == b.type && a.data == b.data;
}

bool sameValues(const std::vector<HiveValue>& a, const std::vector<HiveValue>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), sameValue);
}

// Two lines alike in kind, text and value, each read in its own document.
bool sameLines(const HiveDocument& x, const std::vector<HiveLine>& a, const HiveDocument& y, const std::vector<HiveLine>& b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](const HiveLine& p, const HiveLine& q) {
        return p.kind == q.kind && x.text(p) == y.text(q)
            && (p.kind != HiveLine::Kind::Value || sameValue(x.value(p), y.value(q)));
    });
}

bool sameDocument(const HiveDocument& a, const HiveDocument& b)
{
    return a.header() == b.header() && sameLines(a, a.preamble(), b, b.preamble())
        && std::equal(a.sections().begin(), a.sections().end(), b.sections().begin(), b.sections().end(),
                      [&](const HiveSection& x, const HiveSection& y) {
                          return x.readable == y.readable && x.path == y.path && x.rawHeader == y.rawHeader
                              && sameLines(a, x.lines, b, y.lines);
                      });
}

// A name the registry layer would let through to the document.
std::string keyPart(FuzzedDataProvider& input)
{
    std::string part = input.ConsumeRandomLengthString(12);
    const auto parts = orvex::reg::splitKeyPath(part);
    return parts && parts->size() == 1 ? part : std::string("k");
}

std::string valueName(FuzzedDataProvider& input)
{
    std::string name = input.ConsumeRandomLengthString(12);
    return orvex::reg::validValueName(name) ? name : std::string("v");
}

HiveValue newValue(FuzzedDataProvider& input, std::string name)
{
    static constexpr std::uint32_t kTypes[] = {1, 1, 2, 3, 4, 4, 7, 0, 11, 0xFFFFFFFF};
    HiveValue value;
    value.name = std::move(name);
    value.type = input.ConsumeBool() ? input.PickValueInArray(kTypes) : input.ConsumeIntegral<std::uint32_t>();
    value.data = input.ConsumeRandomLengthString(120);
    // Most texts end in their one NUL, as the settings store writes them.
    if (value.type == 1 && input.ConsumeBool())
        value.data.push_back('\0');
    return value;
}

// Every key a section of `document` names, and the keys above them.
void collectPaths(const HiveDocument& document, std::set<KeyPath>& paths)
{
    for (const HiveSection& section : document.sections()) {
        if (!section.readable)
            continue;
        for (std::size_t length = 1; length <= section.path.size(); ++length)
            paths.insert(KeyPath(section.path.begin(), section.path.begin() + static_cast<std::ptrdiff_t>(length)));
    }
}

KeyPath pickPath(FuzzedDataProvider& input, const HiveDocument& document)
{
    std::vector<KeyPath> readable;
    for (const HiveSection& section : document.sections())
        if (section.readable)
            readable.push_back(section.path);
    if (readable.empty() || input.ConsumeIntegralInRange(0, 3) == 0)
        return {"HKEY_CURRENT_USER", keyPart(input)};
    return readable[input.ConsumeIntegralInRange<std::size_t>(0, readable.size() - 1)];
}

void edit(FuzzedDataProvider& input, HiveDocument& document)
{
    const int edits = input.ConsumeIntegralInRange(0, 6);
    for (int i = 0; i < edits && input.remaining_bytes() > 0; ++i) {
        KeyPath path = pickPath(input, document);
        switch (input.ConsumeIntegralInRange(0, 4)) {
        case 0: { // change a value the key holds, or add one
            const auto values = document.values(path);
            std::string name = !values.empty() && input.ConsumeBool()
                ? values[input.ConsumeIntegralInRange<std::size_t>(0, values.size() - 1)].name
                : valueName(input);
            if (!orvex::reg::validValueName(name))
                break;
            const HiveValue value = newValue(input, std::move(name));
            document.createKey(path);
            document.setValue(path, value);
            const auto after = document.values(path);
            const auto found = std::find_if(after.begin(), after.end(), [&](const HiveValue& v) {
                return orvex::reg::sameName(v.name, value.name);
            });
            if (found == after.end() || found->type != value.type || found->data != value.data)
                fail("a value set is not the key's value");
            break;
        }
        case 1: { // a key below
            path.push_back(keyPart(input));
            document.createKey(path);
            if (!document.keyExists(path))
                fail("a created key does not exist");
            break;
        }
        case 2: { // delete a value
            const auto values = document.values(path);
            const std::string name = values.empty() ? valueName(input)
                                                    : values[input.ConsumeIntegralInRange<std::size_t>(0, values.size() - 1)].name;
            document.deleteValue(path, name);
            for (const HiveValue& v : document.values(path))
                if (orvex::reg::sameName(v.name, name))
                    fail("a deleted value is still there");
            break;
        }
        case 3: { // delete the key
            if (document.deleteKey(path) == HiveDocument::KeyDeletion::Deleted) {
                if (document.keyExists(path))
                    fail("a deleted key still exists");
                if (!document.keyExists(KeyPath(path.begin(), path.end() - 1)))
                    fail("deleting a key took its parent too");
            }
            break;
        }
        default: { // a value the parser might take for something else
            HiveValue value = newValue(input, valueName(input));
            if (value.data.empty() || input.ConsumeBool())
                value.data = "\\";
            value.type = input.ConsumeBool() ? 1 : 3;
            document.createKey(path);
            document.setValue(path, value);
            break;
        }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string_view body = text;
    if (body.starts_with(kBom))
        body.remove_prefix(kBom.size());

    const auto parsed = orvex::platform::parseHive(std::string(text));
    if (!parsed) {
        if (body.empty() || trimmed(body.substr(0, body.find('\n'))) == orvex::platform::kHiveHeader)
            fail("a hive was refused");
        return 0;
    }

    // What was read comes back byte for byte, every line ended.
    const std::string written = orvex::platform::writeHive(*parsed);
    if (!body.empty()) {
        std::string expected(body);
        if (expected.back() != '\n')
            expected += '\n';
        if (written != expected)
            fail("writing what was read changed it");
    }
    const auto again = orvex::platform::parseHive(written);
    if (!again)
        fail("a written hive was refused");
    if (!sameDocument(*again, *parsed))
        fail("parse(write(parse(x))) differs from parse(x)");

    HiveDocument edited = *parsed;
    FuzzedDataProvider input(data, size);
    edit(input, edited);
    const std::string out = orvex::platform::writeHive(edited);
    const auto reread = orvex::platform::parseHive(out);
    if (!reread)
        fail("an edited hive was refused");
    if (orvex::platform::writeHive(*reread) != out)
        fail("an edited hive does not come back byte for byte");

    std::set<KeyPath> paths;
    collectPaths(edited, paths);
    collectPaths(*reread, paths);
    for (const KeyPath& path : paths) {
        if (edited.keyExists(path) != reread->keyExists(path))
            fail("a key exists only before or only after writing");
        if (!sameValues(edited.values(path), reread->values(path)))
            fail("a key's values read back differently");
        if (edited.subKeys(path) != reread->subKeys(path))
            fail("a key's subkeys read back differently");
    }
    return 0;
}
