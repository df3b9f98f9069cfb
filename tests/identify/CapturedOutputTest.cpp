#include <gtest/gtest.h>

#include <string>

#include "identify/CapturedOutput.h"

using namespace std::string_literals;

namespace {

Text Collect(std::initializer_list<std::string> chunks) {
    CapturedOutput output;
    for (const std::string& chunk : chunks) output.Append(chunk);
    return output.ToText();
}

TEST(CapturedOutput, JoinsChunksInOrderWithNothingBetween) {
    EXPECT_EQ(Collect({"Identifying", "Number=5CD", "", "0000XYZ\r\n"}), "IdentifyingNumber=5CD0000XYZ\r\n");
    EXPECT_EQ(Collect({}), "");
}

TEST(CapturedOutput, NulByteEndsOnlyItsOwnChunk) {
    EXPECT_EQ(Collect({"ab\0cd"s, "ef", "\0gh"s, "ij"}), "abefij");
}

TEST(CapturedOutput, Cp936BytesStayAsWritten) {
    EXPECT_EQ(Collect({"Name=\xD5\xBD" "66\r\n"}), "Name=\xD5\xBD" "66\r\n");
}

TEST(CapturedOutput, Utf16LeWithByteOrderMarkBecomesCp936EvenAcrossOddChunkEnds) {
    // "Name=战66\r\n": 战 is U+6218, D5 BD in code page 936.
    std::string utf16 = "\xFF\xFEN\0a\0m\0e\0=\0\x18\x62" "6\0" "6\0\r\0\n\0"s;
    EXPECT_EQ(Collect({utf16.substr(0, 5), utf16.substr(5, 8), utf16.substr(13)}), "Name=\xD5\xBD" "66\r\n");
}

TEST(CapturedOutput, Utf16LeWithoutByteOrderMarkIsKnownByItsFirstLine) {
    EXPECT_EQ(Collect({"h\0i\0\r\0\n\0\x18\x62\r\0\n\0"s}), "hi\r\n\xD5\xBD\r\n");
}

TEST(CapturedOutput, Utf16LeEndsAtItsFirstNulCharacterAndDropsAnOddLastByte) {
    EXPECT_EQ(Collect({"\xFF\xFE" "a\0\0\0b\0"s}), "a");
    EXPECT_EQ(Collect({"\xFF\xFE" "a\0b"s}), "a");
}

TEST(LooksLikeUtf16Le, TellsUtf16FromCodePage936) {
    struct Case {
        std::string bytes;
        bool utf16;
    };
    const Case cases[] = {
        {"\xFF\xFE"s, true},
        {"a\0"s, true},
        {"a\0b\0\n\0\xD5\xBD\xD5\xBD"s, true},  // only the first line counts
        {"a\0b\0c"s, true},                     // an odd last byte of a cut-off unit
        {"ab\0\0"s, false},
        {"a\0bc"s, false},
        {"\0\0"s, false},
        {"a"s, false},
        {""s, false},
        {"\xD5\xBD\r\n"s, false},
        {"\xFE\xFF" "a\0"s, false},  // big-endian mark
    };
    for (const Case& c : cases) EXPECT_EQ(LooksLikeUtf16Le(c.bytes), c.utf16) << testing::PrintToString(c.bytes);
}

}  // namespace
