// Code-page conversions through glibc's iconv. iconv stops at the first invalid
// sequence (even with //IGNORE), so each conversion runs in a loop that writes '?'
// for the offending input and goes on. How much input one '?' stands for follows
// what Windows does, so both platforms give the same text for the same bytes.
#include "platform/CodePage.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace platform {
namespace {

unsigned char ByteAt(std::string_view input, std::size_t i) { return static_cast<unsigned char>(input[i]); }

// Invalid UTF-8: one '?' for each maximal start of a well-formed sequence (the
// Unicode recommendation, which MultiByteToWideChar follows), else for one byte.
std::size_t Utf8BadLength(std::string_view in) {
    const unsigned char lead = ByteAt(in, 0);
    std::size_t need = 0;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) need = 1;
    else if (lead >= 0xE0 && lead <= 0xEF) {
        need = 2;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;  // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        need = 3;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 1;
    }
    std::size_t length = 1;
    for (; length <= need && length < in.size(); ++length) {
        const unsigned char b = ByteAt(in, length);
        const bool ok = length == 1 ? (b >= low && b <= high) : (b >= 0x80 && b <= 0xBF);
        if (!ok) break;
    }
    // A complete sequence that iconv still refused (a character the target lacks)
    // also goes as a whole.
    return length;
}

// Invalid code page 936: a byte 0x81 to 0xFE takes the next byte with it, as the
// Windows decoder does; any other byte goes alone.
std::size_t Cp936BadLength(std::string_view in) {
    const unsigned char lead = ByteAt(in, 0);
    return (lead >= 0x81 && lead <= 0xFE && in.size() >= 2) ? 2 : 1;
}

// A surrogate pair is one character: one '?' for both units.
std::size_t Utf16LeBadLength(std::string_view in) {
    if (in.size() < 2) return in.size();
    const unsigned unit = ByteAt(in, 0) | (ByteAt(in, 1) << 8);
    if (unit >= 0xD800 && unit <= 0xDBFF && in.size() >= 4) {
        const unsigned next = ByteAt(in, 2) | (ByteAt(in, 3) << 8);
        if (next >= 0xDC00 && next <= 0xDFFF) return 4;
    }
    return 2;
}

std::size_t WideBadLength(std::string_view in) {
    if constexpr (sizeof(wchar_t) == 2) return Utf16LeBadLength(in);
    return in.size() < sizeof(wchar_t) ? in.size() : sizeof(wchar_t);
}

// Converts input between two iconv encodings. badLength tells how many input bytes
// one unconvertible or cut-off sequence spans; replacement (in the target encoding)
// is written once for it.
// outputPerInput is the usual size ratio, so that the output buffer is seldom grown
// and never much larger than needed.
std::string Convert(const char* to, const char* from, std::string_view input,
                    std::size_t (*badLength)(std::string_view), std::string_view replacement,
                    std::size_t outputPerInput) {
    std::string output;
    if (input.empty()) return output;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return output;

    output.resize(input.size() * outputPerInput + 16);
    std::size_t used = 0;
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    while (inLeft > 0) {
        if (output.size() - used < 16 + replacement.size()) output.resize(output.size() * 2);
        char* out = output.data() + used;
        std::size_t outLeft = output.size() - used;
        const std::size_t rc = iconv(cd, &in, &inLeft, &out, &outLeft);
        const int error = errno;
        used = output.size() - outLeft;
        if (rc != static_cast<std::size_t>(-1)) break;
        if (error == E2BIG) {
            output.resize(output.size() * 2);
            continue;
        }
        // EILSEQ (invalid or unmappable) or EINVAL (cut off at the end).
        output.replace(used, replacement.size(), replacement);
        used += replacement.size();
        const std::size_t skip = badLength(std::string_view(in, inLeft));
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    output.resize(used);
    return output;
}

}  // namespace

std::string Utf8ToCp936(std::string_view utf8) { return Convert("CP936", "UTF-8", utf8, Utf8BadLength, "?", 1); }

std::string Cp936ToUtf8(std::string_view cp936) { return Convert("UTF-8", "CP936", cp936, Cp936BadLength, "?", 2); }

std::wstring Cp936ToWide(std::string_view cp936) {
    const wchar_t question = L'?';
    const std::string raw = Convert("WCHAR_T", "CP936", cp936, Cp936BadLength,
                                    std::string_view(reinterpret_cast<const char*>(&question), sizeof question),
                                    sizeof(wchar_t));
    std::wstring wide(raw.size() / sizeof(wchar_t), L'\0');
    std::memcpy(wide.data(), raw.data(), wide.size() * sizeof(wchar_t));
    return wide;
}

std::string WideToCp936(std::wstring_view wide) {
    std::string_view raw(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
    return Convert("CP936", "WCHAR_T", raw, WideBadLength, "?", 1);
}

std::string Utf16LeToCp936(std::string_view utf16le) {
    return Convert("CP936", "UTF-16LE", utf16le, Utf16LeBadLength, "?", 1);
}

}  // namespace platform
