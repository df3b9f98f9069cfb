// Text primitives: searches, cuts, replacement, splitting, numbers and bytes.
#include "text/Text.h"

#include <algorithm>
#include <cstring>

#include "platform/CodePage.h"
#include "text/TextScan.h"

using textscan::CharLength;
using textscan::npos;
using textscan::Searcher;

const Text& TextArray::At(int oneBasedIndex) const {
    static const Text& empty = *new Text;  // never destroyed: an abandoned worker may read it at exit
    if (oneBasedIndex < 1 || oneBasedIndex > Count()) return empty;
    return items_[static_cast<std::size_t>(oneBasedIndex - 1)];
}

Text Gbk(std::string_view utf8) { return platform::Utf8ToCp936(utf8); }

int TextLength(const Text& text) { return static_cast<int>(text.size()); }

Text ConcatText(std::initializer_list<std::string_view> pieces) {
    std::size_t total = 0;
    for (auto piece : pieces) total += piece.size();
    Text result;
    result.reserve(total);
    for (auto piece : pieces) result.append(piece);
    return result;
}

int CompareText(const Text& a, const Text& b) {
    int c = a.compare(b);  // char_traits<char> compares bytes as unsigned
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int FindText(const Text& text, const Text& sought, std::optional<int> start, bool caseInsensitive) {
    const std::size_t n = text.size();
    const std::size_t s = (start && *start >= 1) ? static_cast<std::size_t>(*start - 1) : 0;
    if (s >= n) return -1;
    if (sought.empty()) return 1;
    const std::size_t at = Searcher(sought, caseInsensitive).Find(text, s);
    return at == npos ? -1 : static_cast<int>(at + 1);
}

int FindTextReverse(const Text& text, const Text& sought, std::optional<int> start, bool caseInsensitive) {
    const long long n = static_cast<long long>(text.size());
    const long long r = start ? std::clamp<long long>(static_cast<long long>(*start) - 1, 0, n) : n;
    if (r == 0) return -1;
    if (sought.empty()) return 1;
    // The region only bounds where an occurrence may end; character stepping and the
    // lone lead byte at the end are those of the whole text.
    const std::size_t at = Searcher(sought, caseInsensitive).FindLast(text, static_cast<std::size_t>(r));
    return at == npos ? -1 : static_cast<int>(at + 1);
}

Text TextLeft(const Text& text, int count) {
    if (count <= 0) return Text();
    return text.substr(0, static_cast<std::size_t>(count));
}

Text TextRight(const Text& text, int count) {
    if (count <= 0) return Text();
    if (static_cast<std::size_t>(count) >= text.size()) return text;
    return text.substr(text.size() - static_cast<std::size_t>(count));
}

Text TextMid(const Text& text, int start, int count) {
    if (start < 1 || static_cast<std::size_t>(start) > text.size() || count <= 0) return Text();
    return text.substr(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(count));
}

Text ReplaceSubtext(const Text& text, const Text& sought, const Text& replacement, std::optional<int> start,
                    std::optional<int> count, bool caseSensitive) {
    const std::size_t offset = (start && *start > 1) ? static_cast<std::size_t>(*start - 1) : 0;
    const long long limit = (count && *count >= 0) ? *count : -1;  // -1: all
    Text result;
    if (!textscan::ReplaceInto(text, Searcher(sought, !caseSensitive), replacement, offset, limit, result))
        return text;
    return result;
}

TextArray SplitText(const Text& text, const Text& delimiter, std::optional<int> maxCount) {
    const long long limit = maxCount ? std::max(*maxCount, 0) : -1;  // -1: no limit
    if (text.empty() || limit == 0) return TextArray();
    if (delimiter.empty()) return TextArray({text});

    const Searcher searcher(delimiter, false);
    // Counting the elements first sizes the array once; growing it as elements come
    // would allocate (and fault in) about twice the final array for a long page.
    std::size_t count = 0, pos = 0;
    for (std::size_t at = searcher.Find(text, 0); at != npos && static_cast<long long>(count) != limit;
         at = searcher.Find(text, pos)) {
        ++count;
        pos = at + delimiter.size();
    }
    if (pos < text.size() && static_cast<long long>(count) != limit) ++count;

    std::vector<Text> items;
    items.reserve(count);
    pos = 0;
    for (std::size_t at = searcher.Find(text, 0); at != npos; at = searcher.Find(text, pos)) {
        items.emplace_back(text, pos, at - pos);
        pos = at + delimiter.size();
        if (limit > 0 && static_cast<long long>(items.size()) == limit) return TextArray(std::move(items));
    }
    if (pos < text.size()) items.emplace_back(text, pos, npos);
    return TextArray(std::move(items));
}

Text RemoveAllSpaces(const Text& text) {
    Text result;
    result.reserve(text.size());
    std::size_t kept = 0;  // start of the run of characters not yet copied
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = std::min(CharLength(text[pos]), text.size() - pos);
        const bool space = text[pos] == ' ' ||
                           (length == 2 && text[pos] == '\xA1' && text[pos + 1] == '\xA1');
        if (space) {
            result.append(text, kept, pos - kept);
            kept = pos + length;
        }
        pos += length;
    }
    result.append(text, kept, npos);
    return result;
}

namespace {

// The character at pos read as ASCII where it is a full-width form; 0 for any other
// double-byte character. Sets `length` to the bytes it took.
char ReadAsciiEquivalent(const Text& text, std::size_t pos, std::size_t& length) {
    const unsigned char lead = static_cast<unsigned char>(text[pos]);
    if (lead < 0x80) {
        length = 1;
        return text[pos];
    }
    length = std::min<std::size_t>(2, text.size() - pos);
    if (length < 2) return 0;
    const unsigned char trail = static_cast<unsigned char>(text[pos + 1]);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) return static_cast<char>(trail - 0x80);
    if (lead == 0xA1) {
        if (trail == 0xA1) return ' ';
        if (trail == 0xAB) return '~';
        if (trail == 0xEE || trail == 0xEF) return '*';
    }
    return 0;
}

}  // namespace

std::int32_t ToInteger(const Text& text) {
    std::size_t pos = 0, length = 0;
    char c = 0;
    auto next = [&] {
        c = pos < text.size() ? ReadAsciiEquivalent(text, pos, length) : 0;
        return c;
    };
    while (next() == ' ' || (c >= '\t' && c <= '\r')) pos += length;
    bool negative = false;
    if (c == '+' || c == '-') {
        negative = c == '-';
        pos += length;
        next();
    }
    std::uint32_t value = 0;  // wraps around past the 32-bit range, as the contract says
    while (c >= '0' && c <= '9') {
        value = value * 10u + static_cast<std::uint32_t>(c - '0');
        pos += length;
        next();
    }
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}

Text ToText(std::int32_t value) { return std::to_string(value); }

Text BytesToText(const Bytes& bytes) {
    const void* zero = std::memchr(bytes.data(), '\0', bytes.size());
    return zero ? Text(bytes.data(), static_cast<const char*>(zero) - bytes.data()) : Text(bytes);
}
