#include "warranty/WarrantyPage.h"

#include "text/RegexMatcher.h"
#include "text/TextRoutines.h"
#include "warranty/LineFilter.h"

namespace {

// One find/replace pair over the whole text, without regard to case.
Text ReplaceAll(const Text& text, const Text& find, const Text& replacement) {
    return ReplaceMany(text, std::nullopt, 1, false, {{find, replacement}});
}

// Each "pending" is one further year; "将开始" counts only when "pending" is absent.
int CoverageYears(const Text& page) {
    int pending = CountOccurrences(page, "pending");
    if (pending > 0) return pending;
    return CountOccurrences(page, Gbk("将开始"));
}

int CoverageMonths(const Text& page) {
    int months = ToInteger(KeepDigits(TextBetween(page, Gbk("活跃状态中:"), Gbk("剩余月数"))));
    return months > 12 ? months - 12 : months;
}

// The page text around the end date, cleaned down to the date line, e.g. March5,2021.
Text EndDateBlock(const Text& page) {
    Text block = TextBetween(page, Gbk("截止日期 </span>"), Gbk("服务级别"));
    block = ReplaceAll(block, "\"", "");
    block = ReplaceAll(block, " ", "");
    block = DeleteLinesContaining(block, ">");
    return TrimBlankLines(block);
}

struct MonthName {
    const char* name;
    const char* number;
};

// The first name found anywhere in the letters wins; Jun, Jul and Sep match nothing.
constexpr MonthName kMonthNames[] = {
    {"Jan", "1"}, {"Feb", "2"},  {"Mar", "3"},   {"Apr", "4"},   {"May", "5"},   {"June", "6"},
    {"July", "7"}, {"Aug", "8"}, {"Sept", "9"}, {"Oct", "10"}, {"Nov", "11"}, {"Dec", "12"},
};

Text MonthNumber(const Text& letters) {
    for (const MonthName& month : kMonthNames)
        if (FindText(letters, month.name, std::nullopt, true) != -1) return month.number;
    return letters;
}

Text ProductName(const Text& page) {
    Text title = TextBetween(page, "<title>", "</title>");
    Text name = TextBetween(title, Gbk("结果"), "|");
    name = ReplaceAll(name, Gbk("惠普"), "");
    name = ReplaceAll(name, Gbk("游戏"), "");
    name = ReplaceAll(name, Gbk("笔记本电脑"), "");
    name = ReplaceAll(name, " - ", " ");
    name = TrimBlanks(name);
    if (FindText(TextLeft(name, 2), "hp", std::nullopt, true) != -1) name = TextRight(name, TextLength(name) - 2);
    return TrimBlanks(name);
}

}  // namespace

WarrantyPage ParseWarrantyPage(const Text& page) {
    const int years = CoverageYears(page);
    const int months = CoverageMonths(page);
    const Text yearsPart = years > 0 ? ConcatText({ToText(years), Gbk("年")}) : Text();

    const Text endDate = EndDateBlock(page);
    const Text endYear = KeepDigits(TextAfterLast(endDate, ","));
    const Text endMonth = MonthNumber(KeepLetters(TextBeforeFirst(endDate, ","), 0));
    const Text endDay = KeepDigits(TextBeforeFirst(endDate, ","));

    WarrantyPage result;
    result.productName = ProductName(page);
    result.warrantySummary = ConcatText({Gbk("剩余:"), yearsPart, ToText(months), Gbk("个月.截止:"), endYear, Gbk("年"),
                                         endMonth, Gbk("月"), endDay, Gbk("日")});
    return result;
}
