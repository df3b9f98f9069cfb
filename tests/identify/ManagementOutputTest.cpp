#include <gtest/gtest.h>

#include "identify/ManagementOutput.h"

namespace {

TEST(CollapseDoubleCarriageReturns, TurnsEveryCrCrLfIntoCrLfAndNothingElse) {
    struct Case {
        Text output, collapsed;
    };
    const Case cases[] = {
        {"\r\r\n\r\r\nIdentifyingNumber=5CD0000XYZ\r\r\nName=HP \r\r\n", "\r\n\r\nIdentifyingNumber=5CD0000XYZ\r\nName=HP \r\n"},
        {"a\r\nb\rc\n", "a\r\nb\rc\n"},
        {"a\r\r\r\n", "a\r\r\n"},
        {"a\r\r", "a\r\r"},
        {"", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(CollapseDoubleCarriageReturns(c.output), c.collapsed);
}

TEST(FirmwareIdentityLines, BuildsTheToolsLinesAndKeepsEachValueOnItsLine) {
    EXPECT_EQ(FirmwareIdentityLines({"5CD0000XYZ", "HP ZHAN 66 Pro G1 Notebook PC"}),
              "IdentifyingNumber=5CD0000XYZ\r\nName=HP ZHAN 66 Pro G1 Notebook PC\r\n");
    EXPECT_EQ(FirmwareIdentityLines({"", ""}), "IdentifyingNumber=\r\nName=\r\n");
    EXPECT_EQ(FirmwareIdentityLines({"ABC \r\nName=forged", "X\nY"}), "IdentifyingNumber=ABC \r\nName=X\r\n");
}

}  // namespace
