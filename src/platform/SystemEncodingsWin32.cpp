#include "platform/SystemEncodings.h"

#include "platform/WindowsApi.h"

#include <libxml/encoding.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <mutex>
#include <string>
#include <utility>

namespace orvex::platform {
namespace {

// Code pages whose characters are one or two bytes, each of them one UTF-16
// unit. Stateful ones (ISO-2022) and GB18030, with its
// four-byte characters, are not among them. libxml2 compares the names and
// aliases without regard to case.
struct CodePage {
    UINT id;
    const char* name;
    std::array<const char*, 4> aliases;
};

constexpr std::size_t codePageCount = 21;
const std::array<CodePage, codePageCount> codePages = {{
    {1250, "windows-1250", {"cp1250"}},
    {1251, "windows-1251", {"cp1251"}},
    {1252, "windows-1252", {"cp1252"}},
    {1253, "windows-1253", {"cp1253"}},
    {1254, "windows-1254", {"cp1254"}},
    {1255, "windows-1255", {"cp1255"}},
    {1256, "windows-1256", {"cp1256"}},
    {1257, "windows-1257", {"cp1257"}},
    {1258, "windows-1258", {"cp1258"}},
    {874, "windows-874", {"cp874", "tis-620"}},
    {932, "Shift_JIS", {"cp932", "windows-31j", "sjis", "ms_kanji"}},
    {936, "GBK", {"cp936", "gb2312", "euc-cn"}},
    {949, "cp949", {"euc-kr", "ks_c_5601-1987", "uhc"}},
    {950, "Big5", {"cp950"}},
    {437, "IBM437", {"cp437"}},
    {850, "IBM850", {"cp850"}},
    {852, "IBM852", {"cp852"}},
    {866, "IBM866", {"cp866"}},
    {20866, "KOI8-R", {"cp20866"}},
    {21866, "KOI8-U", {"cp21866"}},
    {10000, "macintosh", {"mac", "x-mac-roman"}},
}};

// The lead bytes of each code page's two-byte characters.
std::array<std::array<bool, 256>, codePageCount> leadBytes{};

int utf8Size(wchar_t unit)
{
    if (unit < 0x80)
        return 1;
    return unit < 0x800 ? 2 : 3;
}

// libxml2 hands over the file in chunks: the whole characters at the front
// are converted, as many as fit, and a character cut at the chunk's end
// waits for the next one.
int decode(std::size_t index, unsigned char* out, int* outlen, const unsigned char* in, int* inlen)
{
    const std::array<bool, 256>& lead = leadBytes[index];
    int whole = 0;
    int characters = 0;
    while (whole < *inlen) {
        const int size = lead[in[whole]] ? 2 : 1;
        if (whole + size > *inlen)
            break;
        whole += size;
        ++characters;
    }
    const int capacity = *outlen;
    *inlen = 0;
    *outlen = 0;
    if (whole == 0)
        return 0;
    std::wstring wide(static_cast<std::size_t>(whole), L'\0');
    const int units = MultiByteToWideChar(codePages[index].id, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(in),
                                          whole, wide.data(), whole);
    // Bytes that are no character of the code page; a character of these
    // code pages is one UTF-16 unit, never a surrogate pair.
    if (units != characters)
        return -2;
    int consumed = 0;
    int produced = 0;
    int taken = 0;
    for (; taken < units; ++taken) {
        const wchar_t unit = wide[static_cast<std::size_t>(taken)];
        if (produced + utf8Size(unit) > capacity)
            break;
        produced += utf8Size(unit);
        consumed += lead[in[consumed]] ? 2 : 1;
    }
    if (taken == 0)
        return 0;
    if (WideCharToMultiByte(CP_UTF8, 0, wide.data(), taken, reinterpret_cast<char*>(out), produced, nullptr, nullptr)
        != produced)
        return -2;
    *inlen = consumed;
    *outlen = produced;
    return produced;
}

// libxml2 gives a handler no context, so each code page has a function.
template <std::size_t Index>
int decodeCodePage(unsigned char* out, int* outlen, const unsigned char* in, int* inlen)
{
    return decode(Index, out, outlen, in, inlen);
}

template <std::size_t... Index>
constexpr std::array<xmlCharEncodingInputFunc, codePageCount> decoders(std::index_sequence<Index...> /*unused*/)
{
    return {&decodeCodePage<Index>...};
}

bool known(const char* name)
{
    xmlCharEncodingHandlerPtr handler = xmlFindCharEncodingHandler(name);
    if (handler == nullptr)
        return false;
    xmlCharEncCloseFunc(handler);
    return true;
}

void registerAll()
{
    const auto inputs = decoders(std::make_index_sequence<codePageCount>());
    for (std::size_t index = 0; index < codePageCount; ++index) {
        const CodePage& page = codePages[index];
        // A libxml2 with iconv knows them already, and better.
        CPINFO info{};
        if (known(page.name) || IsValidCodePage(page.id) == 0 || GetCPInfo(page.id, &info) == 0 || info.MaxCharSize > 2)
            continue;
        for (const BYTE* range = info.LeadByte; range[0] != 0 && range + 1 < std::end(info.LeadByte); range += 2)
            std::fill(leadBytes[index].begin() + range[0], leadBytes[index].begin() + range[1] + 1, true);
        xmlNewCharEncodingHandler(page.name, inputs[index], nullptr);
        for (const char* alias : page.aliases)
            if (alias != nullptr)
                xmlAddEncodingAlias(page.name, alias);
    }
}

} // namespace

void registerSystemEncodings()
{
    static std::once_flag once;
    std::call_once(once, registerAll);
}

} // namespace orvex::platform
