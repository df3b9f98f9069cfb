// KeepDigits, KeepLetters and TrimBlankLines. Each gives what a RegexMatcher pass
// with its pattern ("[0-9]", "[a-zA-Z]", "[a-z]", "[A-Z]", "\n\s*\r") gives, but in
// one direct pass over the bytes: a regex pass needs the whole text decoded to wide
// characters and a stored match for every digit of a 16 MiB page.
//
// Characters are stepped as the code page 936 decoder sees them, which is what the
// regex pass works on: a byte 0x81 to 0xFE takes the next byte with it (so a second
// byte that happens to be an ASCII letter is no letter), every other byte stands alone.
#include <cstddef>

#include "text/RegexMatcher.h"

namespace {

std::size_t DecodedLength(const Text& text, std::size_t pos) {
    const unsigned char lead = static_cast<unsigned char>(text[pos]);
    return (lead >= 0x81 && lead <= 0xFE && pos + 1 < text.size()) ? 2 : 1;
}

template <class Keep>
Text KeepAscii(const Text& text, Keep keep) {
    Text kept;
    for (std::size_t pos = 0; pos < text.size(); pos += DecodedLength(text, pos))
        if (keep(text[pos])) kept.push_back(text[pos]);
    return kept;
}

// \s of the regex dialect: space, tab, LF, VT, FF, CR.
bool IsRegexSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool StartsWithLineBreak(const Text& text) { return text.size() >= 2 && text[0] == '\r' && text[1] == '\n'; }

bool EndsWithLineBreak(const Text& text) {
    return text.size() >= 2 && text[text.size() - 2] == '\r' && text.back() == '\n';
}

}  // namespace

Text KeepDigits(const Text& text) {
    return KeepAscii(text, [](char c) { return c >= '0' && c <= '9'; });
}

Text KeepLetters(const Text& text, int kind) {
    auto lower = [](char c) { return c >= 'a' && c <= 'z'; };
    auto upper = [](char c) { return c >= 'A' && c <= 'Z'; };
    switch (kind) {
        case 0: return KeepAscii(text, [&](char c) { return lower(c) || upper(c); });
        case 1: return KeepAscii(text, lower);
        case 2: return KeepAscii(text, upper);
        default: return Text();
    }
}

Text TrimBlankLines(Text& text) {
    if (StartsWithLineBreak(text)) text.erase(0, 2);
    if (EndsWithLineBreak(text)) text.erase(text.size() - 2);

    // Every match of \n\s*\r goes: from a line feed over the white space after it to
    // the last carriage return within that white space (\s* is greedy). White space
    // is single-byte, so its bytes are characters of their own.
    Text result;
    result.reserve(text.size());
    std::size_t copied = 0, pos = 0;
    while (pos < text.size()) {
        if (text[pos] != '\n') {
            pos += DecodedLength(text, pos);
            continue;
        }
        std::size_t runEnd = pos + 1, lastReturn = Text::npos;
        for (; runEnd < text.size() && IsRegexSpace(text[runEnd]); ++runEnd)
            if (text[runEnd] == '\r') lastReturn = runEnd;
        if (lastReturn == Text::npos) {
            pos = runEnd;  // no line feed inside this run can reach a carriage return either
            continue;
        }
        result.append(text, copied, pos - copied);
        copied = pos = lastReturn + 1;
    }
    result.append(text, copied, Text::npos);
    return result;
}
