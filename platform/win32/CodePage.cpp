// Code-page conversions through MultiByteToWideChar and WideCharToMultiByte, always
// naming code page 936 rather than the current ANSI code page. Invalid UTF-8 decodes
// to U+FFFD, which 936 lacks, so it is written as the default character '?'. Encoding
// to 936 asks for no best-fit mapping: a character 936 lacks becomes '?', never a
// look-alike (À would otherwise become à), as with iconv on Linux.
#include "platform/CodePage.h"

#include <windows.h>

#include <climits>

namespace platform {
namespace {

constexpr UINT kCp936 = 936;

std::wstring ToWide(UINT codePage, std::string_view input) {
    if (input.empty() || input.size() > INT_MAX) return {};
    int length = MultiByteToWideChar(codePage, 0, input.data(), static_cast<int>(input.size()), nullptr, 0);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, input.data(), static_cast<int>(input.size()), wide.data(), length);
    return wide;
}

std::string FromWide(UINT codePage, std::wstring_view wide) {
    if (wide.empty() || wide.size() > INT_MAX) return {};
    const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
    int length = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                     nullptr, nullptr);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), text.data(), length,
                        nullptr, nullptr);
    return text;
}

// Code page 936 has nothing beyond the Basic Multilingual Plane: a surrogate pair is
// one character it lacks and becomes one '?', not one for each half.
bool IsSurrogatePair(std::wstring_view wide, size_t i) {
    return i + 1 < wide.size() && wide[i] >= 0xD800 && wide[i] <= 0xDBFF && wide[i + 1] >= 0xDC00 &&
           wide[i + 1] <= 0xDFFF;
}

std::string FromWideTo936(std::wstring_view wide) {
    bool hasPair = false;
    for (size_t i = 0; i < wide.size() && !hasPair; ++i) hasPair = IsSurrogatePair(wide, i);
    if (!hasPair) return FromWide(kCp936, wide);
    std::wstring single;
    single.reserve(wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        const bool pair = IsSurrogatePair(wide, i);
        single.push_back(pair ? L'?' : wide[i]);
        if (pair) ++i;
    }
    return FromWide(kCp936, single);
}

}  // namespace

std::string Utf8ToCp936(std::string_view utf8) { return FromWideTo936(ToWide(CP_UTF8, utf8)); }

std::string Cp936ToUtf8(std::string_view cp936) { return FromWide(CP_UTF8, ToWide(kCp936, cp936)); }

std::wstring Cp936ToWide(std::string_view cp936) { return ToWide(kCp936, cp936); }

std::string WideToCp936(std::wstring_view wide) { return FromWideTo936(wide); }

std::string Utf16LeToCp936(std::string_view utf16le) {
    std::wstring wide(utf16le.size() / 2, L'\0');
    for (size_t i = 0; i < wide.size(); ++i)
        wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(utf16le[2 * i]) |
                                       (static_cast<unsigned char>(utf16le[2 * i + 1]) << 8));
    std::string text = FromWideTo936(wide);
    if (utf16le.size() % 2 != 0) text += '?';  // a cut-off unit, as iconv reports it
    return text;
}

}  // namespace platform
