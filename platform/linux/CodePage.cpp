// Code-page conversions through glibc's iconv. iconv stops at the first invalid
// sequence (even with //IGNORE), so each conversion runs in a loop that writes '?'
// for the offending input and goes on.
#include "platform/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace platform {
namespace {

// Converts input from one iconv encoding to another. unitSize is the width of one
// input code unit, skipped when it cannot be converted; replacement is written in
// the target encoding in its place.
std::string Convert(const char* to, const char* from, std::string_view input, size_t unitSize,
                    std::string_view replacement) {
    std::string output;
    if (input.empty()) return output;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return output;

    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    std::string buffer(input.size() * 4 + 16, '\0');
    while (inLeft > 0) {
        char* out = buffer.data();
        size_t outLeft = buffer.size();
        size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
        output.append(buffer.data(), buffer.size() - outLeft);
        if (rc != static_cast<size_t>(-1)) break;
        if (errno == E2BIG) continue;
        // EILSEQ (invalid or unmappable) or EINVAL (cut off at the end): one unit goes.
        output.append(replacement);
        size_t skip = inLeft < unitSize ? inLeft : unitSize;
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return output;
}

}  // namespace

std::string Utf8ToCp936(std::string_view utf8) { return Convert("CP936", "UTF-8", utf8, 1, "?"); }

std::string Cp936ToUtf8(std::string_view cp936) { return Convert("UTF-8", "CP936", cp936, 1, "?"); }

std::wstring Cp936ToWide(std::string_view cp936) {
    std::string raw = Convert("WCHAR_T", "CP936", cp936, 1, std::string_view("?\0\0\0", sizeof(wchar_t)));
    std::wstring wide(raw.size() / sizeof(wchar_t), L'\0');
    std::memcpy(wide.data(), raw.data(), wide.size() * sizeof(wchar_t));
    return wide;
}

std::string WideToCp936(std::wstring_view wide) {
    std::string_view raw(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
    return Convert("CP936", "WCHAR_T", raw, sizeof(wchar_t), "?");
}

std::string Utf16LeToCp936(std::string_view utf16le) {
    return Convert("CP936", "UTF-16LE", utf16le, 2, "?");
}

}  // namespace platform
