// The primitives' edge behaviour: 1-based positions, -1, clamping, character stepping
// over double-byte characters, and the case flags that point different ways.
#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "text/Text.h"

namespace {

// 啊 (0xB0 0xA1) then a: the byte 0xA1 occurs only as a second byte.
const Text kAhA = "\xB0\xA1" "a";

struct FindCase {
    Text text, sought;
    std::optional<int> start;
    bool caseInsensitive;
    int expected;
};

TEST(FindText, PositionsAndEdges) {
    const FindCase cases[] = {
        {"abcabc", "abc", std::nullopt, false, 1},
        {"abcabc", "abc", 2, false, 4},
        {"abcabc", "abc", 0, false, 1},
        {"abcabc", "abc", -5, false, 1},
        {"abcabc", "abc", 7, false, -1},
        {"abcabc", "bc", 5, false, 5},
        {"abc", "", 3, false, 1},  // empty sought: 1, not the start position
        {"abc", "", std::nullopt, false, 1},
        {"", "", std::nullopt, false, -1},
        {"abc", "", 4, false, -1},
        {"Hello", "hello", std::nullopt, false, -1},
        {"Hello", "hello", std::nullopt, true, 1},
        {"abcdef", "abcdefg", std::nullopt, false, -1},
        {kAhA, "\xA1", std::nullopt, false, -1},
        {kAhA, "\xA1", std::nullopt, true, -1},
        {kAhA, "a", std::nullopt, false, 3},
        // A start on a second byte is taken as a character start.
        {kAhA, "\xA1" "a", 2, false, 2},
        // A lead byte that is the last byte ends the scan.
        {"a\xB0", "\xB0", std::nullopt, false, -1},
        {"a\xB0\xA1", "\xB0", std::nullopt, false, 2},
        // Full-width Ａ (0xA3 0xC1) is never folded to a or A; folding touches every
        // compared byte, second bytes included.
        {"\xA3\xC1", "a", std::nullopt, true, -1},
        {"\x81\x41", "\x81\x61", std::nullopt, true, 1},
        {"x\x81\x41", "A", std::nullopt, true, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindText(c.text, c.sought, c.start, c.caseInsensitive), c.expected)
            << "text=" << c.text << " sought=" << c.sought << " start=" << c.start.value_or(INT_MIN);
}

TEST(FindText, SkipsCandidatesOnSecondBytesInLongRuns) {
    // Every "\xA1\xB0" pair straddles two characters until the ASCII byte resyncs.
    // x, then 499 characters 0xB0 0xB0, then 0xB0 0xA1: the 0xA1 0xB0 at 1001 is split.
    const Text text = "x" + Text(999, '\xB0') + "\xA1\xB0" "x\xA1\xB0";
    EXPECT_EQ(FindText(text, "\xA1\xB0"), 1004);
    EXPECT_EQ(FindText(text, "\xB0\xA1"), 1000);
    EXPECT_EQ(FindTextReverse(text, "\xA1\xB0", 1004), -1);
}

TEST(FindText, LongRepetitiveSoughtTextMatchesOnCharacterStarts) {
    // Sought texts longer than the short-search limit take the other search path.
    const Text run(100, 'a');
    const Text text = Text(500, 'a') + "b" + run;
    EXPECT_EQ(FindText(text, run + "b"), 401);
    EXPECT_EQ(FindText(text, Text(100, 'A') + "B", std::nullopt, true), 401);
    EXPECT_EQ(FindTextReverse(text, run), 502);
    const Text pairs = "x" + Text(200, '\xB0') + "y";  // 100 characters 0xB0 0xB0
    EXPECT_EQ(FindText(pairs, Text(99, '\xB0') + "y"), -1);  // starts on a second byte
    EXPECT_EQ(FindText(pairs, Text(100, '\xB0') + "y"), 102);
}

TEST(FindTextReverse, OccurrenceMustLieWhollyBeforeStart) {
    const FindCase cases[] = {
        {"abcabc", "abc", std::nullopt, false, 4},
        {"abcabc", "abc", 7, false, 4},
        {"abcabc", "abc", 6, false, 1},
        {"abcabc", "abc", 1, false, -1},
        {"abcabc", "abc", -3, false, -1},
        {"abcabc", "abc", 100, false, 4},
        {"abcabc", "", std::nullopt, false, 1},
        {"", "", std::nullopt, false, -1},
        {"aaaa", "aa", std::nullopt, false, 3},  // overlapping occurrences count
        {"ABCabc", "abc", std::nullopt, true, 4},
        {"ABCabc", "ABC", std::nullopt, false, 1},
        {kAhA, "\xA1", std::nullopt, false, -1},
        // The region ends inside 啊, yet its first byte is still a character start.
        {kAhA, "\xB0", 2, false, 1},
        {"a\xB0", "\xB0", std::nullopt, false, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FindTextReverse(c.text, c.sought, c.start, c.caseInsensitive), c.expected)
            << "text=" << c.text << " sought=" << c.sought << " start=" << c.start.value_or(INT_MIN);
}

TEST(TextCuts, CountBytesAndClamp) {
    EXPECT_EQ(TextLeft("abc", 0), "");
    EXPECT_EQ(TextLeft("abc", -1), "");
    EXPECT_EQ(TextLeft("abc", 2), "ab");
    EXPECT_EQ(TextLeft("abc", 10), "abc");
    EXPECT_EQ(TextRight("abc", -1), "");
    EXPECT_EQ(TextRight("abc", 2), "bc");
    EXPECT_EQ(TextRight("abc", INT_MAX), "abc");
    EXPECT_EQ(TextMid("abcdef", 5, 10), "ef");
    EXPECT_EQ(TextMid("abcdef", 2, 3), "bcd");
    EXPECT_EQ(TextMid("abc", 4, 1), "");
    EXPECT_EQ(TextMid("abc", 0, 2), "");
    EXPECT_EQ(TextMid("abc", 1, 0), "");
    EXPECT_EQ(TextMid("abc", 2, INT_MAX), "bc");
    EXPECT_EQ(TextLeft(kAhA, 1), "\xB0");  // cuts may split a character
}

struct ReplaceCase {
    Text text, sought, replacement;
    std::optional<int> start, count;
    bool caseSensitive;
    Text expected;
};

TEST(ReplaceSubtext, CountsStartsAndCase) {
    const ReplaceCase cases[] = {
        {"aaaa", "aa", "b", std::nullopt, std::nullopt, false, "bb"},
        {"aaaa", "aa", "b", std::nullopt, 1, false, "baa"},
        {"aaaa", "aa", "b", std::nullopt, 0, false, "aaaa"},
        {"aaaa", "aa", "b", std::nullopt, -1, false, "bb"},
        {"aaaa", "aa", "b", 2, std::nullopt, false, "aba"},
        {"aaaa", "aa", "b", -4, std::nullopt, false, "bb"},
        {"aaaa", "aa", "b", 5, std::nullopt, false, "aaaa"},
        {"aaaa", "aa", "", std::nullopt, std::nullopt, false, ""},
        {"aaaa", "", "b", std::nullopt, std::nullopt, false, "aaaa"},
        {"", "a", "b", std::nullopt, std::nullopt, false, ""},
        {"ABab", "ab", "x", std::nullopt, std::nullopt, false, "xx"},
        {"ABab", "ab", "x", std::nullopt, std::nullopt, true, "ABx"},
        {"ab", "b", "bb", std::nullopt, std::nullopt, true, "abb"},  // replacement is not searched again
        {kAhA + "\xA1" "b", "\xA1", "!", std::nullopt, std::nullopt, true, kAhA + "!b"},
        {kAhA + "\xA1", "\xA1", "!", std::nullopt, std::nullopt, true, kAhA + "\xA1"},  // lone lead byte
        // The position after an occurrence counts as a character start.
        {"\xB0\xA1\xA1", "\xB0", "", std::nullopt, std::nullopt, true, "\xA1\xA1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplaceSubtext(c.text, c.sought, c.replacement, c.start, c.count, c.caseSensitive), c.expected)
            << "text=" << c.text << " sought=" << c.sought;
}

TEST(SplitText, ElementsAndLimits) {
    struct Case {
        Text text, delimiter;
        std::optional<int> maxCount;
        std::vector<Text> expected;
    };
    const Case cases[] = {
        {"", ",", std::nullopt, {}},
        {"a,b,,c,", ",", std::nullopt, {"a", "b", "", "c"}},
        {",a", ",", std::nullopt, {"", "a"}},
        {"a,b,c", ",", 2, {"a", "b"}},
        {"a,b,c", ",", 0, {}},
        {"a,b,c", ",", -1, {}},
        {"a,b", ",", 5, {"a", "b"}},
        {"abc", "", std::nullopt, {"abc"}},
        {"a\r\nb", "\r\n", std::nullopt, {"a", "b"}},
        {"a\r\n\r\nb", "\r\n", std::nullopt, {"a", "", "b"}},
        {"a\r\n", "\r\n", std::nullopt, {"a"}},
        {"\r\n", "\r\n", std::nullopt, {""}},
        {"aXbxc", "x", std::nullopt, {"aXb", "c"}},  // letter case matters
        {"\xB0,x,c", ",", std::nullopt, {"\xB0,x", "c"}},  // ',' as a second byte
    };
    for (const auto& c : cases)
        EXPECT_EQ(SplitText(c.text, c.delimiter, c.maxCount).Items(), c.expected) << "text=" << c.text;
}

TEST(TextArray, OneBasedAndEmptyOutsideRange) {
    const TextArray items = SplitText("a,b");
    ASSERT_EQ(items.Count(), 2);
    EXPECT_EQ(items.At(1), "a");
    EXPECT_EQ(items.At(2), "b");
    EXPECT_EQ(items.At(0), "");
    EXPECT_EQ(items.At(3), "");
}

TEST(RemoveAllSpaces, DropsSpacesAndFullWidthSpacesOnly) {
    EXPECT_EQ(RemoveAllSpaces(" x y\xA1\xA1z"), "xyz");
    EXPECT_EQ(RemoveAllSpaces("x\ty\r\n"), "x\ty\r\n");
    EXPECT_EQ(RemoveAllSpaces("a\xB0\xA1\xA1" "a"), "a\xB0\xA1\xA1" "a");  // 0xA1 0xA1 off a character start
    EXPECT_EQ(RemoveAllSpaces(""), "");
}

TEST(ToInteger, ReadsLeadingNumberWithFullWidthForms) {
    const std::pair<Text, std::int32_t> cases[] = {
        {"", 0},
        {"abc", 0},
        {"  42x", 42},
        {"-7", -7},
        {"+3", 3},
        {"\xA3\xB1\xA3\xB2", 12},                 // full-width digits
        {"\xA1\xA1\xA3\xAD\xA3\xB5", -5},         // full-width space and minus
        {"\t\n\v\f\r 9", 9},
        {"12abc", 12},
        {"+-1", 0},
        {"--1", 0},
        {"2147483647", INT32_MAX},
        {"2147483648", INT32_MIN},  // 32-bit arithmetic wraps around
        {"-2147483648", INT32_MIN},
        {"4294967297", 1},
        {"99999999999999999999", 1661992959},
        {"7\xB0", 7},
        {"\xA3", 0},  // a lone lead byte at the end
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(ToInteger(text), expected) << "text=" << text;
}

TEST(ToText, DecimalForm) {
    EXPECT_EQ(ToText(0), "0");
    EXPECT_EQ(ToText(15), "15");
    EXPECT_EQ(ToText(-3), "-3");
    EXPECT_EQ(ToText(INT32_MIN), "-2147483648");
}

TEST(BytesToText, StopsAtFirstZeroByte) {
    EXPECT_EQ(BytesToText(Bytes("A\0B", 3)), "A");
    EXPECT_EQ(BytesToText(Bytes()), "");
    EXPECT_EQ(BytesToText(Bytes("\0A", 2)), "");
    EXPECT_EQ(BytesToText(Bytes("\xB0\xA1")), "\xB0\xA1");
}

TEST(CompareText, UnsignedByteOrder) {
    EXPECT_EQ(CompareText(Text(), ""), 0);
    EXPECT_EQ(CompareText("a", "b"), -1);
    EXPECT_EQ(CompareText("ab", "a"), 1);
    EXPECT_EQ(CompareText("\x80", "a"), 1);  // bytes compare as unsigned
}

TEST(ConcatText, JoinsPieces) {
    EXPECT_EQ(ConcatText({"a", "", "bc"}), "abc");
    EXPECT_EQ(ConcatText({"", ""}), "");
    EXPECT_EQ(TextLength(ConcatText({kAhA, "x"})), 4);
}

}  // namespace
