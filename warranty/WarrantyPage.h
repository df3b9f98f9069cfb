#pragma once
// Scrapes the support site's warranty-result page (already in code page 936) for the
// product's marketing name and a one-line coverage summary such as
// 剩余:1年3个月.截止:2021年3月5日. It never fails: a missing marker empties only the
// pieces that depend on it, and the summary is always built.

#include "text/Text.h"

struct WarrantyPage {
    Text productName;
    Text warrantySummary;
};

WarrantyPage ParseWarrantyPage(const Text& page);
