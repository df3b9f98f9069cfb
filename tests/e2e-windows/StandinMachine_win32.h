#pragma once
// The world one run meets: the stand-in site that both origins point at, and a fake
// management tool for a ZHAN 66 Pro G1 with serial 5CD0000XYZ first on PATH. Set up
// before the program's code reads any of it; undone after each test.

#include <gtest/gtest.h>

#include "Desktop_win32.h"
#include "StandinLauncher.h"

class StandinMachine : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(site.Started()) << "the stand-in site did not start"; }

    // The request lines the site saw for targets starting with path.
    std::vector<std::string> SiteRequests(const std::string& path) const {
        return RequestLinesFor(ParseRequests(site.Requests()), path);
    }
    bool SawIdentification() const {
        for (const std::string& line : SiteRequests(IdentifyPath()))
            if (line.rfind("GET " + IdentifyPath() + " ", 0) == 0) return true;
        return false;
    }
    static std::string IdentifyPath() { return std::string("/cn-zh/drivers/selfservice/identify?q=") + kSerial; }

    StandinLauncher site;
    ScopedVariable supportOrigin{"LANTUO_SUPPORT_SITE_ORIGIN", site.Origin()};
    ScopedVariable partsOrigin{"LANTUO_PARTS_LOOKUP_ORIGIN", site.Origin()};
    FakeManagementTool managementTool;
};
