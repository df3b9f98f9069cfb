#include <gtest/gtest.h>

#include <random>

#include "text/TextRoutines.h"
#include "warranty/LineFilter.h"

namespace {

// The scraper's original loop, kept here as the reference the one-pass version must match.
Text DeleteLinesOneByOne(Text text, const Text& sought) {
    const int passes = CountLines(text);
    for (int pass = 0; pass < passes; ++pass) text = DeleteLine(text, FindLineContaining(text, sought));
    return text;
}

std::string Visible(const Text& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c >= 0x80) out += "\\x" + std::to_string(c);
        else out += static_cast<char>(c);
    }
    return out;
}

TEST(DeleteLinesContaining, RemovesEveryLineHoldingTheText) {
    EXPECT_EQ(DeleteLinesContaining("\r\n<div>\r\nMarch5,2021\r\n</div>\r\n<span>", ">"), "\r\nMarch5,2021");
    EXPECT_EQ(DeleteLinesContaining("a>b", ">"), "");
    EXPECT_EQ(DeleteLinesContaining("", ">"), "");
}

TEST(DeleteLinesContaining, MatchesTheLineByLineLoop) {
    // Short texts over the bytes that matter: line ends, the sought byte, a lead byte
    // of a double-byte character, and a plain letter.
    const char alphabet[] = {'\r', '\n', '>', '\x81', 'a'};
    std::mt19937 random(20210305);
    for (int round = 0; round < 200000; ++round) {
        Text text;
        int length = static_cast<int>(random() % 12);
        for (int i = 0; i < length; ++i) text += alphabet[random() % sizeof alphabet];
        ASSERT_EQ(Visible(DeleteLinesContaining(text, ">")), Visible(DeleteLinesOneByOne(text, ">")))
            << "input " << Visible(text);
    }
}

TEST(DeleteLinesContaining, LinearOnAMillionMatchingLines) {
    Text text;
    for (int i = 0; i < 1000000; ++i) text += i % 2 ? "<p>\r\n" : "\r\n";
    text += "March5,2021";
    // The loop would rebuild 5 MB half a million times; this must finish at once.
    Text expected;
    for (int i = 0; i < 500000; ++i) expected += "\r\n";
    expected += "March5,2021";
    EXPECT_EQ(DeleteLinesContaining(text, ">"), expected);
}

}  // namespace
