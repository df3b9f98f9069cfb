// The helper routines: which way each case flag points, where each search starts,
// what a missing marker gives, and how lines are counted, found and deleted.
#include <gtest/gtest.h>

#include "text/TextRoutines.h"

namespace {

TEST(ReplaceMany, ChainsPairsWithOneCountPerPair) {
    const Text page = "Drivers/SelfService/x";
    EXPECT_EQ(ReplaceMany(page, std::nullopt, std::nullopt, false, {{"drivers/selfservice", "warrantyresult"}}),
              "warrantyresult/x");
    EXPECT_EQ(ReplaceMany(page, std::nullopt, std::nullopt, true, {{"drivers/selfservice", "warrantyresult"}}), page);
    EXPECT_EQ(ReplaceMany("a", std::nullopt, std::nullopt, false, {{"a", "b"}, {"b", "z"}}), "z");
    EXPECT_EQ(ReplaceMany("xxx", 1, std::nullopt, false, {{"x", "y"}}), "yxx");
    EXPECT_EQ(ReplaceMany("xxaa", 1, std::nullopt, false, {{"x", "y"}, {"a", "b"}}), "yxba");
    EXPECT_EQ(ReplaceMany("a-b-c", std::nullopt, std::nullopt, false, {{"-", ""}}), "abc");
    EXPECT_EQ(ReplaceMany("abc", std::nullopt, std::nullopt, false, {{"", "z"}}), "abc");
    // Start 0 means 1; other values go to ReplaceSubtext unchanged.
    EXPECT_EQ(ReplaceMany("aaa", std::nullopt, 0, false, {{"a", "b"}}), "bbb");
    EXPECT_EQ(ReplaceMany("aaa", std::nullopt, 2, false, {{"a", "b"}}), "abb");
    EXPECT_EQ(ReplaceMany("aaa", std::nullopt, -3, false, {{"a", "b"}}), "bbb");
    const Text fivePairs = ReplaceMany("12345", std::nullopt, std::nullopt, false,
                                       {{"1", "a"}, {"2", "b"}, {"3", "c"}, {"4", "d"}, {"5", "e"}});
    EXPECT_EQ(fivePairs, "abcde");
}

TEST(Utf8ToGbk, ConvertsAndReplacesWhatCannotBeConverted) {
    struct Case {
        Text utf8, gbk;
    };
    const Case cases[] = {
        {"\xE4\xBF\x9D\xE4\xBF\xAE", "\xB1\xA3\xD0\xDE"},  // 保修
        {"HP ZHAN 66 Pro G1", "HP ZHAN 66 Pro G1"},
        {"", ""},
        {"\xEF\xBB\xBF" "a", "?a"},               // a byte-order mark is a character 936 lacks
        {"a\xFF" "b", "a?b"},                     // a byte that never occurs in UTF-8
        {"a\x80" "b", "a?b"},                     // a lone continuation byte
        {"\xE4\xBF" "a", "?a"},                   // a cut-off sequence: one '?' and on
        {"a\xE4\xBF", "a?"},                      // cut off at the very end
        {"\xC0\xAF" "x", "??x"},                  // an overlong form is not a character
        {"\xF0\x9F\x98\x80" "x", "?x"},           // U+1F600: beyond what 936 holds
        {"\xC3\x80" "x", "?x"},                   // À: no look-alike is substituted
        {"\xE2\x82\xAC", "\x80"},                 // € is the single byte 0x80 in 936
        {"\xE3\x80\x80", "\xA1\xA1"},             // ideographic space
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8ToGbk(c.utf8), c.gbk) << "utf8=" << c.utf8;
}

TEST(CountOccurrences, CaseSensitiveFlagAndNoOverlap) {
    EXPECT_EQ(CountOccurrences("pending Pending PENDING", "pending"), 3);
    EXPECT_EQ(CountOccurrences("pending Pending PENDING", "pending", true), 1);
    EXPECT_EQ(CountOccurrences("abc", ""), 0);
    EXPECT_EQ(CountOccurrences("", "a"), 0);
    EXPECT_EQ(CountOccurrences("aaaa", "aa"), 2);
    EXPECT_EQ(CountOccurrences("aaa", "aa"), 1);
    EXPECT_EQ(CountOccurrences("\xB0\xA1\xB0\xA1", "\xA1\xB0"), 0);  // only across characters
}

TEST(TextBetween, MarkersStartAndQuotes) {
    struct Case {
        Text text, opening, closing;
        std::optional<int> start;
        bool caseInsensitive;
        Text expected;
    };
    const Case cases[] = {
        {"a<b>c<d>", "<", ">", std::nullopt, false, "b"},
        {"a<b>c<d>", "<", ">", 4, false, "d"},
        {"a<b>c<d>", "<", ">", 0, false, "b"},
        {"a<b>c<d>", "<", ">", -2, false, "b"},
        {"a<b>c<d>", "<", "x", std::nullopt, false, ""},
        {"a<b>c<d>", "[", ">", std::nullopt, false, ""},
        {"abc", "a", "b", std::nullopt, false, ""},  // end marker right behind the start marker
        {"x>a<b", "<", ">", std::nullopt, false, ""},  // an end marker before the start does not count
        {"<TD>v</td>", "<td>", "</TD>", std::nullopt, false, ""},
        {"<TD>v</td>", "<td>", "</TD>", std::nullopt, true, "v"},
        {"id=\"k\" v", "id=" + QuoteMarker, QuoteMarker, std::nullopt, false, "k"},
        {"a<", "<", ">", std::nullopt, false, ""},  // start marker at the very end
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextBetween(c.text, c.opening, c.closing, c.start, c.caseInsensitive), c.expected)
            << "text=" << c.text;
}

TEST(CountLines, CountsLineFeeds) {
    const std::pair<Text, int> cases[] = {
        {"", 0}, {"a", 1}, {"a\r\n", 1}, {"a\r\nb", 2}, {"a\r\nb\r\n", 2}, {"a\nb", 2}, {"a\rb", 1}, {"\n\n", 2},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(CountLines(text), expected) << "text=" << text;
}

TEST(FindLineContaining, NumbersLinesAsSplitTextDoes) {
    EXPECT_EQ(FindLineContaining("a\r\nName=x", "name="), 2);
    EXPECT_EQ(FindLineContaining("a\r\nName=x", "name=", true), 0);
    EXPECT_EQ(FindLineContaining("a\r\n\r\nb\r\n", "b"), 3);  // an empty line keeps its number
    EXPECT_EQ(FindLineContaining("", "a"), 0);
    EXPECT_EQ(FindLineContaining("a=b\nc", "c"), 1);  // a lone line feed separates nothing
    EXPECT_EQ(FindLineContaining("ab\r\ncd", "b\r\nc"), 0);  // a line never holds the break
    EXPECT_EQ(FindLineContaining("\r\nx", ""), 2);  // an empty sought text is in every non-empty line
    // A carriage return that is the second byte of a character breaks no line.
    EXPECT_EQ(FindLineContaining("\xB0\r\nName=x", "name="), 1);
}

TEST(DeleteLine, RejoinsWithoutTrailingBreak) {
    struct Case {
        Text text;
        int line;
        Text expected;
    };
    const Case cases[] = {
        {"x\r\ny\r\nz", 2, "x\r\nz"},
        {"x\r\ny\r\nz", 0, "x\r\ny\r\nz"},
        {"x\r\ny\r\nz", 4, "x\r\ny\r\nz"},
        {"x\r\ny\r\nz", 1, "y\r\nz"},
        {"x\r\ny\r\nz", 3, "x\r\ny"},
        {"abc", 1, ""},
        {"abc", 2, "abc"},
        {"", 1, ""},
        {"a\r\nb\r\n", 3, "a\r\nb"},  // the final break goes even when nothing is removed
        {"a\r\n\r\nb", 2, "a\r\nb"},
    };
    for (const auto& c : cases) EXPECT_EQ(DeleteLine(c.text, c.line), c.expected) << "text=" << c.text;
}

TEST(TextAfterLast, RestBehindLastMarker) {
    EXPECT_EQ(TextAfterLast("IdentifyingNumber=ABC123", "IdentifyingNumber="), "ABC123");
    EXPECT_EQ(TextAfterLast("a,b,c", ","), "c");
    EXPECT_EQ(TextAfterLast("abc", ","), "");
    EXPECT_EQ(TextAfterLast("a,b,", ","), "");
    EXPECT_EQ(TextAfterLast("a,b,c", ",", 4), "b,c");  // the occurrence must lie before the start
    EXPECT_EQ(TextAfterLast("a,b,c", ",", 0), "");     // a given 0 is used, not replaced
    EXPECT_EQ(TextAfterLast("Name=A\r\nNAME=B", "name="), "");
    EXPECT_EQ(TextAfterLast("Name=A\r\nNAME=B", "name=", std::nullopt, true), "B");
}

TEST(TextBeforeFirst, TextUpToFirstMarker) {
    EXPECT_EQ(TextBeforeFirst("March5,2021", ","), "March5");
    EXPECT_EQ(TextBeforeFirst(",x", ","), "");
    EXPECT_EQ(TextBeforeFirst("abc", ","), "");
    EXPECT_EQ(TextBeforeFirst("a,b,c", ",", 3), "a,b");  // from the start of the text, not the start position
    EXPECT_EQ(TextBeforeFirst("a,b", ",", -1), "a");
    EXPECT_EQ(TextBeforeFirst("xAy", "a"), "");
    EXPECT_EQ(TextBeforeFirst("xAy", "a", std::nullopt, true), "x");
}

TEST(TrimBlanks, TrimsSpacesOfCallersVariable) {
    const std::pair<Text, Text> cases[] = {
        {"  x y ", "x y"}, {"", ""}, {"   ", ""}, {"\tx\xA1\xA1", "\tx\xA1\xA1"}, {"x", "x"},
    };
    for (const auto& [input, expected] : cases) {
        Text variable = input;
        EXPECT_EQ(TrimBlanks(variable), expected);
        EXPECT_EQ(variable, expected);
    }
}

}  // namespace
