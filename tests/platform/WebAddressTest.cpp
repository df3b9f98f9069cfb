#include <gtest/gtest.h>

#include "platform/Shell.h"

TEST(IsWebAddress, OnlyHttpAndHttpsAddressesGoToTheSystem) {
    struct Case {
        const char* url;
        bool web;
    } cases[] = {
        {"http://127.0.0.1:8080/Search.aspx?SearchText=5CD0000XYZ", true},
        {"HTTPS://support.hp.com/cn-zh/warrantyresult/x&serialNo=1", true},
        {"file:///C:/Windows/System32/calc.exe", false},
        {"\\\\server\\share\\run.exe", false},
        {"ms-settings:", false},
        {"javascript:alert(1)", false},
        {"http:/one-slash", false},
        {"", false},
        {"-http://", false},
    };
    for (const Case& c : cases) EXPECT_EQ(platform::IsWebAddress(c.url), c.web) << c.url;
}
