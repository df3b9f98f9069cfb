// RegexMatcher's contract (1-based numbers, empty results out of range, false for a
// pattern that does not compile), its dialect on both platforms, and the filters.
#include <gtest/gtest.h>

#include "text/RegexMatcher.h"
#include "text/TextRoutines.h"

namespace {

std::vector<Text> AllMatches(const RegexMatcher& matcher) {
    std::vector<Text> matches;
    for (int n = 1; n <= matcher.MatchCount(); ++n) matches.push_back(matcher.MatchText(n));
    return matches;
}

std::vector<Text> Matches(const Text& pattern, const Text& subject, bool caseSensitive = false,
                          bool multiline = true, bool global = true) {
    RegexMatcher matcher;
    EXPECT_TRUE(matcher.Create(pattern, subject, caseSensitive, multiline, global)) << pattern;
    return AllMatches(matcher);
}

TEST(RegexMatcher, MatchesAndSubMatchesAreOneBased) {
    RegexMatcher matcher;
    ASSERT_TRUE(matcher.Create("(\\w)(\\d)?", "a1 b"));
    EXPECT_EQ(matcher.MatchCount(), 2);
    EXPECT_EQ(matcher.SubMatchCount(), 2);
    EXPECT_EQ(matcher.MatchText(1), "a1");
    EXPECT_EQ(matcher.MatchText(2), "b");
    EXPECT_EQ(matcher.SubMatchText(1, 1), "a");
    EXPECT_EQ(matcher.SubMatchText(1, 2), "1");
    EXPECT_EQ(matcher.SubMatchText(2, 2), "");  // the group took no part
    for (int outside : {0, 3, -1}) EXPECT_EQ(matcher.MatchText(outside), "");
    EXPECT_EQ(matcher.SubMatchText(1, 0), "");
    EXPECT_EQ(matcher.SubMatchText(1, 3), "");
    EXPECT_EQ(matcher.SubMatchText(3, 1), "");
}

TEST(RegexMatcher, NoMatchIsStillSuccess) {
    RegexMatcher matcher;
    EXPECT_TRUE(matcher.Create("[0-9]", "abc"));
    EXPECT_EQ(matcher.MatchCount(), 0);
    EXPECT_EQ(matcher.SubMatchCount(), 0);
    EXPECT_EQ(matcher.ReplaceMatches("x"), "abc");
}

TEST(RegexMatcher, PatternThatDoesNotCompile) {
    RegexMatcher matcher;
    ASSERT_TRUE(matcher.Create("a", "a"));
    for (const Text pattern : {"(", "[a-", "a{2,1}", "*"}) {
        EXPECT_FALSE(matcher.Create(pattern, "a(")) << pattern;
        EXPECT_EQ(matcher.MatchCount(), 0);
        EXPECT_EQ(matcher.MatchText(1), "");
        EXPECT_EQ(matcher.SubMatchCount(), 0);
        EXPECT_EQ(matcher.ReplaceMatches("x"), "");
        EXPECT_EQ(matcher.GetPattern(), pattern);  // the pattern was written all the same
    }
}

TEST(RegexMatcher, BeforeCreateEverythingIsEmpty) {
    const RegexMatcher matcher;
    EXPECT_EQ(matcher.GetPattern(), "");
    EXPECT_EQ(matcher.MatchCount(), 0);
    EXPECT_EQ(matcher.MatchText(1), "");
    EXPECT_EQ(matcher.SubMatchText(1, 1), "");
    EXPECT_EQ(matcher.SubMatchCount(), 0);
    EXPECT_EQ(matcher.ReplaceMatches("x"), "");
}

TEST(RegexMatcher, OptionsIgnoreCaseMultilineGlobal) {
    EXPECT_EQ(Matches("abc", "ABC abc").size(), 2u);  // default: without regard to case
    EXPECT_EQ(Matches("abc", "ABC abc", true), std::vector<Text>{"abc"});
    EXPECT_EQ(Matches("[a-z]+", "AbC", false), std::vector<Text>{"AbC"});
    EXPECT_EQ(Matches("^b$", "a\r\nb\r\nc").size(), 1u);  // multiline by default
    EXPECT_EQ(Matches("^b", "a\nb", false, false).size(), 0u);
    EXPECT_EQ(Matches("c$", "a\nb\nc", false, false).size(), 1u);
    EXPECT_EQ(Matches("\\d", "1 2 3", false, true, false), std::vector<Text>{"1"});

    RegexMatcher first;
    ASSERT_TRUE(first.Create("\\d", "1 2 3", false, true, false));
    EXPECT_EQ(first.ReplaceMatches("#"), "# 2 3");
}

TEST(RegexMatcher, DialectIsTheSameOnEveryPlatform) {
    // \s: space, tab, LF, CR, VT, FF; not the ideographic space 0xA1 0xA1 (U+3000).
    EXPECT_EQ(Matches("\\s", " \t\n\r\v\f\xA1\xA1x").size(), 6u);
    EXPECT_EQ(Matches("\\S", " \t\n\r\v\f\xA1\xA1x"), (std::vector<Text>{"\xA1\xA1", "x"}));
    EXPECT_EQ(Matches("[\\s]+", "a \xA1\xA1"), std::vector<Text>{" "});
    // Digits and word characters are ASCII only: full-width ０ (0xA3 0xB0) and 啊 are neither.
    EXPECT_EQ(Matches("\\d", "0\xA3\xB0"), std::vector<Text>{"0"});
    EXPECT_EQ(Matches("\\w+", "a_1\xB0\xA1"), std::vector<Text>{"a_1"});
    EXPECT_EQ(Matches("[0-9]", "\xA3\xB1" "5"), std::vector<Text>{"5"});
    // Case folding is ASCII only: full-width ａ (0xA3 0xE1) and Ａ (0xA3 0xC1) stay apart.
    EXPECT_EQ(Matches("\xA3\xE1", "\xA3\xC1").size(), 0u);
    // A dot never matches a line feed.
    EXPECT_EQ(Matches("a.b", "a\nb").size(), 0u);
    EXPECT_EQ(Matches("a.b", "a b").size(), 1u);
    // \v is the vertical tab alone, as in the platform object's syntax.
    EXPECT_EQ(Matches("\\v", "\n\v\r").size(), 1u);
}

TEST(RegexMatcher, WorksOnCharactersNotBytes) {
    // 啊 (0xB0 0xA1) is one character: a dot takes it whole, and [\xA1] cannot cut it.
    EXPECT_EQ(Matches(".", "\xB0\xA1" "a"), (std::vector<Text>{"\xB0\xA1", "a"}));
    RegexMatcher matcher;
    ASSERT_TRUE(matcher.Create(Gbk("保(修)"), Gbk("x保修y")));
    EXPECT_EQ(matcher.SubMatchText(1, 1), Gbk("修"));
    EXPECT_EQ(matcher.ReplaceMatches(Gbk("【$1】")), Gbk("x【修】y"));
}

TEST(RegexMatcher, QuoteMarkerOption) {
    const Text pattern = "id=" + QuoteMarker + "(\\w+)";
    RegexMatcher matcher;
    ASSERT_TRUE(matcher.Create(pattern, "id=\"k1\"", false, true, true, true));
    EXPECT_EQ(matcher.SubMatchText(1, 1), "k1");
    EXPECT_EQ(matcher.GetPattern(), "id=\"(\\w+)");

    ASSERT_TRUE(matcher.Create(pattern, "id=\"k1\" id=" + QuoteMarker + "k2"));
    EXPECT_EQ(matcher.MatchCount(), 1);
    EXPECT_EQ(matcher.SubMatchText(1, 1), "k2");
    EXPECT_EQ(matcher.GetPattern(), pattern);
}

TEST(RegexMatcher, ReplacementSyntax) {
    struct Case {
        Text replacement, expected;
    };
    // Pattern (b)(c) over "abcd".
    const Case cases[] = {
        {"[$1$2]", "a[bc]d"}, {"$&$&", "abcbcd"}, {"$$", "a$d"},    {"$`", "aad"},
        {"$'", "add"},       {"$0", "a$0d"},     {"$3", "a$3d"},   {"$12", "ab2d"},
        {"$", "a$d"},         {"$x", "a$xd"},     {"\\1", "a\\1d"}, {"", "ad"},
    };
    for (const auto& c : cases) {
        RegexMatcher matcher;
        ASSERT_TRUE(matcher.Create("(b)(c)", "abcd"));
        EXPECT_EQ(matcher.ReplaceMatches(c.replacement), c.expected) << "replacement=" << c.replacement;
    }
    RegexMatcher many;
    ASSERT_TRUE(many.Create("(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)(l)", "abcdefghijkl"));
    EXPECT_EQ(many.ReplaceMatches("$12$10$1"), "lja");
}

TEST(RegexMatcher, CopiesKeepTheirOwnResults) {
    RegexMatcher original;
    ASSERT_TRUE(original.Create("\\d", "1 2"));
    RegexMatcher copy(original);
    EXPECT_EQ(AllMatches(copy), (std::vector<Text>{"1", "2"}));
    ASSERT_TRUE(copy.Create("[a-z]", "x"));
    EXPECT_EQ(AllMatches(copy), std::vector<Text>{"x"});
    EXPECT_EQ(AllMatches(original), (std::vector<Text>{"1", "2"}));
    original = copy;
    EXPECT_EQ(original.GetPattern(), "[a-z]");
}

TEST(KeepDigits, KeepsAsciiDigitsInOrder) {
    const std::pair<Text, Text> cases[] = {
        {Gbk("活跃状态中:</span><span>15"), "15"},
        {"x2 15", "215"},
        {Gbk("没有数字"), ""},
        {"\xA3\xB1\xA3\xB5", ""},  // full-width digits
        {"", ""},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(KeepDigits(text), expected) << "text=" << text;
}

TEST(KeepLetters, KindChoosesTheLetters) {
    EXPECT_EQ(KeepLetters("March5"), "March");
    EXPECT_EQ(KeepLetters("March5", 1), "arch");
    EXPECT_EQ(KeepLetters("March5", 2), "M");
    EXPECT_EQ(KeepLetters("March5", 3), "");
    EXPECT_EQ(KeepLetters("March5", -1), "");
    // The second byte of 丂 (0x81 0x40) and of 0x81 0x41 is no letter.
    EXPECT_EQ(KeepLetters("\x81\x41" "b\xA3\xC1"), "b");
}

TEST(TrimBlankLines, RemovesBlankLinesAndOneBreakAtEachEnd) {
    struct Case {
        Text input, result, variable;
    };
    const Case cases[] = {
        {"\r\na\r\n\r\n  \r\nb\r\n", "a\r\nb", "a\r\n\r\n  \r\nb"},
        {"a\r\nb", "a\r\nb", "a\r\nb"},
        {"\r\n", "", ""},
        {"\r\n\r\n", "", ""},
        {"\r\n\r\n\r\nx", "\r\nx", "\r\n\r\nx"},  // one break goes at each end, then blank lines
        {"a  \r\n \t \r\n  b", "a  \r\n  b", "a  \r\n \t \r\n  b"},  // spaces at the two ends stay
        {"a\n\n\nb", "a\n\n\nb", "a\n\n\nb"},   // line feeds alone are no line breaks
        {"a\r\n\r\n", "a\r\n", "a\r\n"},  // a break at the end has no later line
    };
    for (const auto& c : cases) {
        Text variable = c.input;
        EXPECT_EQ(TrimBlankLines(variable), c.result) << "input=" << c.input;
        EXPECT_EQ(variable, c.variable) << "input=" << c.input;
    }
}

// The filters take a direct path; over every kind of input they must give what the
// regular expression gives, on each platform's decoder.
TEST(Filters, AgreeWithTheRegularExpression) {
    const Text subjects[] = {
        "",
        Gbk("型号:HP ZHAN 66 Pro G1\r\n\r\n 截止 2021年3月5日\r\n\r\n"),
        "\r\n \r\n\t\r\n\v\f\r\n",
        "\x80" "A\xFF" "b",             // € and a byte 936 never uses, each alone
        "\x81\x30" "1\x81\x41" "c",     // a lead byte always takes the next byte
        "\xA1\x41" "D\xAA\xA1" "e",     // user-defined areas
        "z\x81",                        // a lead byte at the very end
        Gbk("Ａ１ａ\xE3\x80\x80x"),      // full-width forms
    };
    auto collect = [](const Text& pattern, const Text& subject, bool caseSensitive) {
        RegexMatcher matcher;
        EXPECT_TRUE(matcher.Create(pattern, subject, caseSensitive));
        Text all;
        for (int n = 1; n <= matcher.MatchCount(); ++n) all += matcher.MatchText(n);
        return all;
    };
    for (const Text& subject : subjects) {
        EXPECT_EQ(KeepDigits(subject), collect("[0-9]", subject, false)) << subject;
        EXPECT_EQ(KeepLetters(subject, 0), collect("[a-zA-Z]", subject, true)) << subject;
        EXPECT_EQ(KeepLetters(subject, 1), collect("[a-z]", subject, true)) << subject;
        EXPECT_EQ(KeepLetters(subject, 2), collect("[A-Z]", subject, true)) << subject;
    }
    // Only valid code page 936 here: the regex pass turns undecodable bytes into '?'
    // while TrimBlankLines keeps every byte it does not remove.
    for (const Text& valid : {subjects[0], subjects[1], subjects[2], subjects[7]}) {
        Text trimmed = valid, forRegex = valid;
        const Text direct = TrimBlankLines(trimmed);
        if (forRegex.rfind("\r\n", 0) == 0) forRegex.erase(0, 2);
        if (forRegex.size() >= 2 && forRegex.compare(forRegex.size() - 2, 2, "\r\n") == 0)
            forRegex.erase(forRegex.size() - 2);
        RegexMatcher matcher;
        ASSERT_TRUE(matcher.Create("\\n\\s*\\r", forRegex));
        EXPECT_EQ(direct, matcher.ReplaceMatches("")) << valid;
    }
}

}  // namespace
