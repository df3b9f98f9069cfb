// Code-page conversions through MultiByteToWideChar and WideCharToMultiByte, always
// naming code page 936 rather than the current ANSI code page. Invalid UTF-8 decodes
// to U+FFFD, which 936 lacks, so it is written as the default character '?'.
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
    int length = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                     nullptr, nullptr);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), length,
                        nullptr, nullptr);
    return text;
}

}  // namespace

std::string Utf8ToCp936(std::string_view utf8) { return FromWide(kCp936, ToWide(CP_UTF8, utf8)); }

std::string Cp936ToUtf8(std::string_view cp936) { return FromWide(CP_UTF8, ToWide(kCp936, cp936)); }

std::wstring Cp936ToWide(std::string_view cp936) { return ToWide(kCp936, cp936); }

std::string WideToCp936(std::wstring_view wide) { return FromWide(kCp936, wide); }

std::string Utf16LeToCp936(std::string_view utf16le) {
    std::wstring wide(utf16le.size() / 2, L'\0');
    for (size_t i = 0; i < wide.size(); ++i)
        wide[i] = static_cast<wchar_t>(static_cast<unsigned char>(utf16le[2 * i]) |
                                       (static_cast<unsigned char>(utf16le[2 * i + 1]) << 8));
    return FromWide(kCp936, wide);
}

}  // namespace platform
