#pragma once
// Regular-expression traits for wide characters whose classes and case folding are
// ASCII only, identical on every platform and locale. Boost's own traits ask the
// C library or Win32 (GetStringTypeW), which count U+3000 as a space and full-width
// digits as digits, and so differ between Windows and Linux. Here \s is exactly
// space, tab, LF, CR, VT and FF; \d is 0-9; \w is [A-Za-z0-9_]; \h is space and tab;
// \v is the vertical tab; without regard to case only A-Z and a-z fold.

#include <boost/regex.hpp>

#include <cstdint>
#include <cwchar>
#include <string>

namespace text_regex {

class AsciiRegexTraits {
public:
    using char_type = wchar_t;
    using size_type = std::size_t;
    using string_type = std::wstring;
    struct locale_type {};
    using char_class_type = std::uint32_t;

    static size_type length(const char_type* p) { return std::wcslen(p); }
    char_type translate(char_type c) const { return c; }
    char_type translate_nocase(char_type c) const { return Fold(c); }

    template <class It>
    string_type transform(It first, It last) const {
        return string_type(first, last);
    }
    template <class It>
    string_type transform_primary(It first, It last) const {
        string_type folded;
        for (; first != last; ++first) folded.push_back(Fold(*first));
        return folded;
    }

    template <class It>
    char_class_type lookup_classname(It first, It last) const {
        std::wstring name(first, last);
        for (wchar_t& c : name) c = Fold(c);
        const int id = boost::BOOST_REGEX_DETAIL_NS::get_default_class_id(name.data(), name.data() + name.size());
        return id < 0 ? 0 : kClassMasks[id];
    }

    template <class It>
    string_type lookup_collatename(It first, It last) const {
        std::string name;
        for (; first != last; ++first) {
            if (static_cast<std::uint32_t>(*first) > 0x7F) return string_type();
            name.push_back(static_cast<char>(*first));
        }
        if (name.size() == 1) return string_type(1, static_cast<wchar_t>(name[0]));
        const std::string value = boost::BOOST_REGEX_DETAIL_NS::lookup_default_collate_name(name);
        return string_type(value.begin(), value.end());
    }

    bool isctype(char_type c, char_class_type mask) const { return (Classify(c) & mask) != 0; }

    int value(char_type c, int radix) const {
        int digit = -1;
        if (c >= L'0' && c <= L'9') digit = c - L'0';
        else if (c >= L'a' && c <= L'z') digit = c - L'a' + 10;
        else if (c >= L'A' && c <= L'Z') digit = c - L'A' + 10;
        return digit < radix ? digit : -1;
    }

    locale_type imbue(locale_type locale) { return locale; }
    locale_type getloc() const { return locale_type(); }

private:
    enum : char_class_type {
        kAlpha = 1u << 0,
        kBlank = 1u << 1,
        kControl = 1u << 2,
        kDigit = 1u << 3,
        kGraph = 1u << 4,
        kLower = 1u << 5,
        kPrint = 1u << 6,
        kPunct = 1u << 7,
        kSpace = 1u << 8,
        kUpper = 1u << 9,
        kXDigit = 1u << 10,
        kUnderscore = 1u << 11,
        kVerticalTab = 1u << 12,
        kBeyondByte = 1u << 13,
    };

    // In the order of Boost's get_default_class_id: alnum alpha blank cntrl d digit
    // graph h l lower print punct s space u unicode upper v w word xdigit.
    static constexpr char_class_type kClassMasks[21] = {
        kAlpha | kDigit, kAlpha, kBlank, kControl, kDigit, kDigit, kGraph, kBlank, kLower, kLower, kPrint,
        kPunct, kSpace, kSpace, kUpper, kBeyondByte, kUpper, kVerticalTab, kAlpha | kDigit | kUnderscore,
        kAlpha | kDigit | kUnderscore, kXDigit,
    };

    static wchar_t Fold(wchar_t c) { return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c + 32) : c; }

    static char_class_type Classify(wchar_t c) {
        const auto code = static_cast<std::uint32_t>(c);
        if (code > 0x7F) return code > 0xFF ? char_class_type{kBeyondByte} : char_class_type{0};
        char_class_type m = 0;
        const bool upper = c >= L'A' && c <= L'Z', lower = c >= L'a' && c <= L'z', digit = c >= L'0' && c <= L'9';
        if (upper) m |= kUpper | kAlpha;
        if (lower) m |= kLower | kAlpha;
        if (digit) m |= kDigit;
        if (digit || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F')) m |= kXDigit;
        if (c == L'_') m |= kUnderscore;
        if (c == L' ' || c == L'\t') m |= kBlank;
        if (c == L' ' || (c >= L'\t' && c <= L'\r')) m |= kSpace;
        if (c == L'\v') m |= kVerticalTab;
        if (c < 0x20 || c == 0x7F) m |= kControl;
        if (c >= 0x20 && c < 0x7F) m |= kPrint;
        if (c > 0x20 && c < 0x7F) m |= kGraph;
        if ((m & kGraph) && !upper && !lower && !digit) m |= kPunct;
        return m;
    }
};

}  // namespace text_regex
