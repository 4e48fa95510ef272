#include "xml/CurrentDocument.h"

#include "xml/XmlEncoding.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

namespace orvex {
namespace {

// Comments and processing instructions count as child nodes in the data
// files' rules; white-space-only text does not (the parser's default).
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_comments | pugi::parse_pi;

struct PugiBuffer {
    void operator()(void* p) const { pugi::get_memory_deallocation_function()(p); }
};
using Buffer = std::unique_ptr<char, PugiBuffer>;

Buffer allocate(std::size_t size)
{
    return Buffer(static_cast<char*>(pugi::get_memory_allocation_function()(size == 0 ? 1 : size)));
}

struct RawFile {
    Buffer bytes;
    std::size_t size = 0;
    std::string error;
    std::string_view view() const { return {bytes.get(), size}; }
};

// Reads the whole file straight into a buffer the parser can own.
RawFile readBytes(const std::string& fileName)
{
    RawFile raw;
    std::error_code ec;
    const auto status = std::filesystem::status(fileName, ec);
    if (ec || !std::filesystem::exists(status)) {
        raw.error = "the file does not exist";
        return raw;
    }
    if (std::filesystem::is_directory(status)) {
        raw.error = "it is a folder, not a file";
        return raw;
    }
    if (!std::filesystem::is_regular_file(status)) {
        raw.error = "it is not a regular file";
        return raw;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(fileName.c_str(), "rb"), &std::fclose);
    if (!file) {
        raw.error = std::string("cannot open it: ") + std::strerror(errno);
        return raw;
    }
    std::size_t capacity = static_cast<std::size_t>(std::filesystem::file_size(fileName, ec));
    if (ec)
        capacity = 0;
    capacity += 1; // one byte more shows whether the file grew meanwhile
    raw.bytes = allocate(capacity);
    while (raw.bytes) {
        raw.size += std::fread(raw.bytes.get() + raw.size, 1, capacity - raw.size, file.get());
        if (raw.size < capacity)
            break;
        Buffer larger = allocate(capacity * 2);
        if (larger)
            std::memcpy(larger.get(), raw.bytes.get(), raw.size);
        raw.bytes = std::move(larger);
        capacity *= 2;
    }
    if (!raw.bytes)
        raw.error = "there is not enough memory to load it";
    else if (std::ferror(file.get()))
        raw.error = std::string("cannot read it: ") + std::strerror(errno);
    return raw;
}

std::string positionText(std::string_view bytes, std::ptrdiff_t offset)
{
    if (offset < 0 || static_cast<std::size_t>(offset) > bytes.size())
        return {};
    std::size_t line = 1;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < static_cast<std::size_t>(offset); ++i) {
        if (bytes[i] == '\n') {
            ++line;
            lineStart = i + 1;
        }
    }
    return " at line " + std::to_string(line) + ", column "
        + std::to_string(static_cast<std::size_t>(offset) - lineStart + 1);
}

} // namespace

XmlFileResult readXmlFile(const std::string& fileName, XmlTextNodes text)
{
    XmlFileResult result;
    result.document = std::make_unique<pugi::xml_document>();

    RawFile raw = readBytes(fileName);
    if (!raw.error.empty()) {
        result.error = raw.error;
        return result;
    }
    const EncodingDecision decision = detectXmlEncoding(raw.view());
    if (!decision.encoding) {
        result.error = "its declared encoding \"" + decision.declared + "\" is not supported";
        return result;
    }

    pugi::xml_encoding parserEncoding = pugi::encoding_utf8;
    if (*decision.encoding == XmlByteEncoding::Auto) {
        parserEncoding = pugi::encoding_auto;
    } else if (*decision.encoding != XmlByteEncoding::Utf8) {
        const std::string utf8 = singleByteToUtf8(raw.view(), *decision.encoding);
        raw.bytes = allocate(utf8.size());
        if (!raw.bytes) {
            result.error = "there is not enough memory to load it";
            return result;
        }
        raw.size = utf8.size();
        std::memcpy(raw.bytes.get(), utf8.data(), utf8.size());
    }

    // Parsing in place keeps the peak memory of a large repertory near one
    // copy of the file plus its nodes.
    const pugi::xml_parse_result parsed
        = result.document->load_buffer_inplace_own(raw.bytes.release(), raw.size,
                                                   text == XmlTextNodes::Compact ? kParseOptions | pugi::parse_embed_pcdata
                                                                                 : kParseOptions,
                                                   parserEncoding);
    if (!parsed) {
        std::string where = " at offset " + std::to_string(parsed.offset);
        if (*decision.encoding == XmlByteEncoding::Utf8) {
            // The parse buffer was rewritten in place; count lines in a fresh read.
            const RawFile again = readBytes(fileName);
            if (again.error.empty())
                where = positionText(again.view(), parsed.offset);
        }
        result.error = std::string("it is not well-formed XML (") + parsed.description() + where + ")";
        result.document = std::make_unique<pugi::xml_document>();
    }
    return result;
}

CurrentDocument::CurrentDocument() : document_(std::make_unique<pugi::xml_document>()) {}

int LoadXmlDocument(CurrentDocument& current, const std::string& fileName, MessageSink& messages, XmlTextNodes text)
{
    // The old document goes first, so two repertories never sit in memory together.
    current.document_ = std::make_unique<pugi::xml_document>();
    XmlFileResult loaded = readXmlFile(fileName, text);
    current.document_ = std::move(loaded.document);
    if (loaded.ok())
        return 0;
    messages.loadFailed(fileName, loaded.error);
    return 1;
}

} // namespace orvex
