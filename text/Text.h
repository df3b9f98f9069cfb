#pragma once
// The program's text model: bytes in code page 936 (GBK), never holding a zero byte.
// An absent text and the empty text are the same value. Positions are 1-based byte
// positions; a search that finds nothing yields -1. Scans step over double-byte
// characters: a byte of 0x80 or above takes the next byte with it.

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Bytes.h"

using Text = std::string;

// A 1-based array of texts, as SplitText makes it. Callers check an index against
// Count() before reading; At() outside 1..Count() yields the empty text rather than
// reading out of bounds.
class TextArray {
public:
    TextArray() = default;
    explicit TextArray(std::vector<Text> items) : items_(std::move(items)) {}
    int Count() const { return static_cast<int>(items_.size()); }
    const Text& At(int oneBasedIndex) const;
    const std::vector<Text>& Items() const { return items_; }

private:
    std::vector<Text> items_;
};

// Converts UTF-8 (as source literals are written) to a Text in code page 936.
Text Gbk(std::string_view utf8);

int TextLength(const Text& text);
Text ConcatText(std::initializer_list<std::string_view> pieces);
int CompareText(const Text& a, const Text& b);

int FindText(const Text& text, const Text& sought, std::optional<int> start = std::nullopt,
             bool caseInsensitive = false);
int FindTextReverse(const Text& text, const Text& sought, std::optional<int> start = std::nullopt,
                    bool caseInsensitive = false);

Text TextLeft(const Text& text, int count);
Text TextRight(const Text& text, int count);
Text TextMid(const Text& text, int start, int count);

// The case flag points the other way from the searches: true replaces only exact matches.
Text ReplaceSubtext(const Text& text, const Text& sought, const Text& replacement = Text(),
                    std::optional<int> start = std::nullopt, std::optional<int> count = std::nullopt,
                    bool caseSensitive = false);

TextArray SplitText(const Text& text, const Text& delimiter = ",",
                    std::optional<int> maxCount = std::nullopt);

Text RemoveAllSpaces(const Text& text);
std::int32_t ToInteger(const Text& text);
Text ToText(std::int32_t value);
Text BytesToText(const Bytes& bytes);
