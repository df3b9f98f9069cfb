// No input crashes or hangs the toolkit: 16 MiB texts, a million blank lines, texts
// that end in a lone lead byte, hostile patterns of white space.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/CodePage.h"
#include "text/RegexMatcher.h"
#include "text/TextRoutines.h"

namespace {

constexpr std::size_t kSixteenMiB = 16u << 20;

// Mixed Chinese and ASCII lines of a warranty page, CR LF separated, about 16 MiB.
const Text& BigPage() {
    static const Text page = [] {
        const Text line = Gbk("<td>产品型号:HP ZHAN 66 Pro G1 笔记本电脑</td><td>截止 2021年3月5日</td>\r\n");
        Text text;
        text.reserve(kSixteenMiB + line.size());
        while (text.size() < kSixteenMiB) text += line;
        return text;
    }();
    return page;
}

int LineCountOfBigPage() { return CountOccurrences(BigPage(), "\r\n"); }

TEST(SixteenMiB, SearchesRunToTheEnd) {
    const Text& page = BigPage();
    const Text tail = page + "END";
    EXPECT_EQ(FindText(tail, "END"), TextLength(page) + 1);
    EXPECT_EQ(FindText(tail, "end", std::nullopt, true), TextLength(page) + 1);
    EXPECT_EQ(FindText(page, "absent"), -1);
    EXPECT_EQ(FindTextReverse(tail, "<td>"), TextLength(page) - TextLength(Gbk("<td>截止 2021年3月5日</td>\r\n")) + 1);
    EXPECT_EQ(TextAfterLast(tail, "</td>\r\n"), "END");
    EXPECT_EQ(TextBeforeFirst(page, "absent"), "");
    EXPECT_EQ(TextBetween(tail, "<td>", "END").size(), page.size() - 4);
}

TEST(SixteenMiB, RewritesKeepEveryByteAccountedFor) {
    const Text& page = BigPage();
    const int lines = LineCountOfBigPage();
    ASSERT_GT(lines, 100000);
    EXPECT_EQ(CountLines(page), lines);
    EXPECT_EQ(SplitText(page, "\r\n").Count(), lines);
    EXPECT_EQ(CountOccurrences(page, "<TD>"), 2 * lines);

    const Text replaced = ReplaceSubtext(page, "<td>", "<");
    EXPECT_EQ(replaced.size(), page.size() - 3u * 2u * static_cast<unsigned>(lines));
    const Text many = ReplaceMany(page, std::nullopt, std::nullopt, false, {{"<td>", ""}, {"</td>", ""}});
    EXPECT_EQ(many.size(), page.size() - 18u * static_cast<unsigned>(lines));

    const Text deleted = DeleteLine(page, lines / 2);
    EXPECT_EQ(CountLines(deleted), lines - 1);
    EXPECT_EQ(FindLineContaining(page + "x", "X"), lines + 1);
    EXPECT_EQ(RemoveAllSpaces(page).size(), page.size() - 6u * static_cast<unsigned>(lines));
}

TEST(SixteenMiB, ConversionsAndFilters) {
    const Text& page = BigPage();
    const std::string utf8 = platform::Cp936ToUtf8(page);
    EXPECT_EQ(Utf8ToGbk(utf8), page);
    const int lines = LineCountOfBigPage();
    EXPECT_EQ(KeepDigits(page).size(), 9u * static_cast<unsigned>(lines));  // 66 1 2021 3 5 per line
    EXPECT_EQ(KeepLetters(page, 2).size(), 8u * static_cast<unsigned>(lines));

    const Text digits(kSixteenMiB, '7');
    EXPECT_EQ(KeepDigits(digits), digits);
    EXPECT_EQ(ToInteger(Text(kSixteenMiB, ' ') + "42"), 42);
    Text copy = page;
    EXPECT_EQ(TrimBlankLines(copy), page.substr(0, page.size() - 2));
}

TEST(SixteenMiB, MillionBlankLinesTrimQuickly) {
    Text text = "a\r\n";
    for (int i = 0; i < 1000000; ++i) text += (i % 3 == 0) ? " \t\r\n" : "\r\n";
    text += "b\r\n";
    const auto begin = std::chrono::steady_clock::now();
    EXPECT_EQ(TrimBlankLines(text), "a\r\nb");
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(10));
}

TEST(SixteenMiB, RegexMatcherOverLongSubjects) {
    // A million blank lines through the regular expression itself: no stack is exhausted.
    Text blank = "a";
    for (int i = 0; i < 1000000; ++i) blank += "\r\n";
    blank += "b";
    RegexMatcher matcher;
    ASSERT_TRUE(matcher.Create("\\n\\s*\\r", blank));
    EXPECT_EQ(matcher.MatchCount(), 1);
    EXPECT_EQ(matcher.ReplaceMatches(""), "a\r\nb");

    // Line feeds without a carriage return make a backtracking matcher quadratic.
    // Boost gives up past its bound on the work; either way the result is defined.
    const Text hostile(3000, '\n');
    const bool ran = matcher.Create("\\n\\s*\\r", hostile);
    EXPECT_EQ(matcher.MatchCount(), 0);
    EXPECT_EQ(matcher.ReplaceMatches(""), ran ? hostile : Text());
    Text copy = hostile;
    EXPECT_EQ(TrimBlankLines(copy), hostile);
}

// Every scanning routine over texts that end in a lone byte of 0x80 or above: the
// byte ends the scan, is never matched on its own, and is never read past.
TEST(LoneLeadByte, EveryScanningRoutineStopsAtTheEnd) {
    for (int value : {0x80, 0x81, 0xA1, 0xB0, 0xFE, 0xFF}) {
        const Text lead(1, static_cast<char>(value));
        const Text text = "a,b\r\nc " + lead;
        SCOPED_TRACE(value);
        EXPECT_EQ(FindText(text, lead), -1);
        EXPECT_EQ(FindText(text, lead, std::nullopt, true), -1);
        EXPECT_EQ(FindTextReverse(text, lead), -1);
        EXPECT_EQ(FindText(text, " " + lead), 7);
        EXPECT_EQ(ReplaceSubtext(text, lead, "x"), text);
        EXPECT_EQ(ReplaceSubtext(text, "c", "x"), "a,b\r\nx " + lead);
        EXPECT_EQ(SplitText(text).Items(), (std::vector<Text>{"a", "b\r\nc " + lead}));
        EXPECT_EQ(SplitText(text, lead).Items(), std::vector<Text>{text});
        EXPECT_EQ(RemoveAllSpaces(text), "a,b\r\nc" + lead);
        EXPECT_EQ(ToInteger("7" + lead), 7);
        EXPECT_EQ(CountOccurrences(text, lead), 0);
        EXPECT_EQ(TextBetween(text, "c", lead), "");
        EXPECT_EQ(TextBetween(text, ",", lead), "");
        EXPECT_EQ(CountLines(text), 2);
        EXPECT_EQ(FindLineContaining(text, lead), 0);
        EXPECT_EQ(FindLineContaining(text, "c"), 2);
        EXPECT_EQ(DeleteLine(text, 1), "c " + lead);
        EXPECT_EQ(DeleteLine(text, 2), "a,b");
        EXPECT_EQ(TextAfterLast(text, lead), "");
        EXPECT_EQ(TextAfterLast(text, ","), "b\r\nc " + lead);
        EXPECT_EQ(TextBeforeFirst(text, lead), "");
        EXPECT_EQ(KeepDigits("1" + lead), "1");
        EXPECT_EQ(KeepLetters(text), "abc");
        Text variable = "x\r\n\r\ny" + lead;
        EXPECT_EQ(TrimBlankLines(variable), "x\r\ny" + lead);
        RegexMatcher matcher;
        EXPECT_TRUE(matcher.Create("c\\s", text));
        EXPECT_EQ(matcher.MatchText(1), "c ");
    }
}

}  // namespace
