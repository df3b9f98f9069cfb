#include <gtest/gtest.h>

#include "text/Text.h"
#include "warranty/WarrantyPage.h"

namespace {

// Pages are written here with LF and UTF-8; the site sends CR LF, converted to 936.
Text CrLfPage(const std::string& utf8) {
    std::string out;
    for (char c : utf8) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return Gbk(out);
}

const char* const kWorkedExample =
    "<html>\n<head>\n<title>保修检查结果 HP 战66 Pro G1 笔记本电脑 | HP 客户支持</title>\n</head>\n<body>\n"
    "<span>Pending</span> 上门服务\n"
    "<span class=\"label\">活跃状态中:</span><span class=\"value\">15</span> 剩余月数\n"
    "<span class=\"label\">截止日期 </span>\n"
    "<div class=\"date-value\">\n"
    "   March 5, 2021\n"
    "</div>\n"
    "<span class=\"label\">服务级别</span>\n</body>\n</html>\n";

// A page holding only the given pieces, each on a line of its own.
Text PageWith(const std::string& title, const std::string& body) {
    return CrLfPage("<html><head><title>" + title + "</title></head>\n<body>\n" + body + "\n</body></html>\n");
}

std::string DateBlock(const std::string& dateLine) {
    return "<span>截止日期 </span>\n<div class=\"d\">\n" + dateLine + "\n</div>\n<span>服务级别</span>";
}

TEST(ParseWarrantyPage, WorkedExample) {
    WarrantyPage result = ParseWarrantyPage(CrLfPage(kWorkedExample));
    EXPECT_EQ(result.productName, Gbk("战66 Pro G1"));
    EXPECT_EQ(result.warrantySummary, Gbk("剩余:1年3个月.截止:2021年3月5日"));
}

TEST(ParseWarrantyPage, EmptyPageStillBuildsTheSummary) {
    WarrantyPage result = ParseWarrantyPage("");
    EXPECT_EQ(result.productName, "");
    EXPECT_EQ(result.warrantySummary, Gbk("剩余:0个月.截止:年月日"));
}

TEST(ParseWarrantyPage, YearsAndMonths) {
    struct Case {
        std::string body;
        std::string summaryStart;
    };
    const Case cases[] = {
        // Counted without regard to case; the two year words are never added.
        {"pending Pending PENDING 将开始 将开始", "剩余:3年0个月"},
        {"将开始 将开始", "剩余:2年0个月"},
        {"nothing", "剩余:0个月"},
        {"活跃状态中:<b>12</b>剩余月数", "剩余:12个月"},
        {"活跃状态中:<b>13</b>剩余月数", "剩余:1个月"},
        {"活跃状态中:<b>25</b>剩余月数", "剩余:13个月"},
        // Digits in markup between the markers count too: 2 and 15 read as 215.
        {"活跃状态中:<b class=\"x2\">15</b>剩余月数", "剩余:203个月"},
        // The end marker is looked for only behind the start marker.
        {"剩余月数 活跃状态中:<b>7</b>", "剩余:0个月"},
    };
    for (const Case& c : cases) {
        Text summary = ParseWarrantyPage(PageWith("t", c.body)).warrantySummary;
        EXPECT_EQ(summary.rfind(Gbk(c.summaryStart), 0), 0u) << c.body;
    }
}

TEST(ParseWarrantyPage, EndDates) {
    struct Case {
        std::string dateLine;
        std::string summaryEnd;
    };
    const Case cases[] = {
        {"   March 5, 2021", "截止:2021年3月5日"},
        {"September 30, 2022", "截止:2022年9月30日"},
        {"\"December\" 1 , 2030", "截止:2030年12月1日"},
        {"Sep 30, 2022", "截止:2022年Sep月30日"},
        {"Jun 1, 2020", "截止:2020年Jun月1日"},
        {"5 March 2021", "截止:年月日"},
        {"", "截止:年月日"},
    };
    for (const Case& c : cases) {
        Text summary = ParseWarrantyPage(PageWith("t", DateBlock(c.dateLine))).warrantySummary;
        Text end = Gbk(c.summaryEnd);
        ASSERT_GE(summary.size(), end.size());
        EXPECT_EQ(summary.substr(summary.size() - end.size()), end) << c.dateLine;
    }
}

TEST(ParseWarrantyPage, LfOnlyPageLosesTheDateButKeepsYearsAndMonths) {
    WarrantyPage result = ParseWarrantyPage(Gbk(kWorkedExample));
    EXPECT_EQ(result.warrantySummary, Gbk("剩余:1年3个月.截止:年月日"));
    EXPECT_EQ(result.productName, Gbk("战66 Pro G1"));
}

TEST(ParseWarrantyPage, ProductNames) {
    struct Case {
        std::string title;
        std::string name;
    };
    const Case cases[] = {
        {"保修检查结果 HP ZHAN 66 Pro G1 笔记本电脑 | HP", "ZHAN 66 Pro G1"},
        {"结果 hp zhan 66|x", "zhan 66"},
        {"结果 hp |x", ""},
        {"结果惠普战66游戏版|x", "战66版"},
        {"结果 战66 - 15 |x", "战66 15"},
        {"结果 惠普 HP 战66|x", "战66"},
        // Only the first two bytes are looked at, and only h and p.
        {"结果 HPE 服务器|x", "E 服务器"},
        {"结果 战hp|x", "战hp"},
        {"无关标题 | HP", ""},
        {"结果 没有竖线", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseWarrantyPage(PageWith(c.title, "")).productName, Gbk(c.name)) << c.title;

    // The bar must follow "结果" inside the title; one after the title does not count.
    EXPECT_EQ(ParseWarrantyPage(CrLfPage("<title>结果 战66</title>|")).productName, "");
}

}  // namespace
