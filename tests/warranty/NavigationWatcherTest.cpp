// OnBrowserNavigated against a recording control host and the stand-in site.

#include <gtest/gtest.h>

#include <cstdlib>

#include "RecordingControlHost.h"
#include "StandinLauncher.h"
#include "text/Text.h"
#include "warranty/GlobalState.h"
#include "warranty/NavigationWatcher.h"

namespace {

using platform::Control;
using platform::Property;

const char* const kDriverPath = "/cn-zh/drivers/selfservice/hp-zhan-66-pro-g1-notebook-pc/17996593/model/17996596";
const char* const kResultPath = "/cn-zh/warrantyresult/hp-zhan-66-pro-g1-notebook-pc/17996593/model/17996596";

void SetOrigin(const std::string& origin) {
#ifdef _WIN32
    _putenv_s("LANTUO_SUPPORT_SITE_ORIGIN", origin.c_str());
#else
    setenv("LANTUO_SUPPORT_SITE_ORIGIN", origin.c_str(), 1);
#endif
}

class OnBrowserNavigatedTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(site.Started());
        SetOrigin(site.Origin());
        WarrantyUrl().Store("");
        SerialNumber().Store("5CD0000XYZ");
        controls.Preset(Control::编辑框1, Property::Text, Gbk("惠普战66 Pro G1 笔记本电脑"));
    }

    // One navigation-complete event with the browser showing address.
    void NavigateTo(const std::string& address) {
        controls.Preset(Control::超文本浏览框1, Property::Address, address);
        OnBrowserNavigated();
    }

    std::vector<std::string> RequestLines() const {
        std::vector<std::string> lines;
        for (const std::string& request : site.Requests()) lines.push_back(request.substr(0, request.find("\r\n")));
        return lines;
    }

    StandinLauncher site;
    RecordingControlHost controls;
};

TEST_F(OnBrowserNavigatedTest, DriverPageShowsNameAndCoverage) {
    NavigateTo(site.Origin() + kDriverPath);

    EXPECT_EQ(WarrantyUrl().Load(), site.Origin() + kResultPath + "&serialNo=5CD0000XYZ&multiWarranty=true");
    std::vector<ControlWrite> expected = {
        {Control::按钮2, Property::Disabled, "", false},
        {Control::编辑框1, Property::Text, Gbk("战66 Pro G1"), false},
        {Control::编辑框4, Property::Text, Gbk("剩余:1年3个月.截止:2021年3月5日"), false},
    };
    EXPECT_EQ(controls.Writes(), expected);
    EXPECT_EQ(RequestLines(),
              std::vector<std::string>{std::string("GET ") + kResultPath +
                                       "&serialNo=5CD0000XYZ&multiWarranty=true HTTP/1.0"});
}

TEST_F(OnBrowserNavigatedTest, OtherPagesChangeNothing) {
    const std::string origin = site.Origin();
    const std::string ignored[] = {
        origin + "/cn-zh/drivers/selfservice/identify?q=5CD0000XYZ",
        origin + "/CN-ZH/DRIVERS/SELFSERVICE/IDENTIFY?Q=other&drivers/selfservice",
        origin + "/cn-zh/Drivers/SelfService/hp-zhan-66",  // the path word in another case
        origin + "/cn-zh/frames.html",
        "about:blank",
        "",
    };
    for (const std::string& address : ignored) NavigateTo(address);
    EXPECT_TRUE(controls.Writes().empty());
    EXPECT_EQ(WarrantyUrl().Load(), "");
    EXPECT_TRUE(site.Requests().empty());
}

TEST_F(OnBrowserNavigatedTest, DerivesTheAddressWithoutEncoding) {
    struct Case {
        std::string address;  // after the origin
        std::string serial;
        std::string warrantyUrl;
    };
    const Case cases[] = {
        // Every occurrence is swapped, in any letter case, once the exact word is there.
        {"/x/Drivers/SelfService/drivers/selfservice/p", "S1",
         "/x/warrantyresult/warrantyresult/p&serialNo=S1&multiWarranty=true"},
        {"/cn-zh/drivers/selfservice/p?a=1", "5CD 0+", "/cn-zh/warrantyresult/p?a=1&serialNo=5CD 0+&multiWarranty=true"},
        {"/cn-zh/drivers/selfservice/p", "", "/cn-zh/warrantyresult/p&serialNo=&multiWarranty=true"},
    };
    for (const Case& c : cases) {
        SerialNumber().Store(c.serial);
        NavigateTo(site.Origin() + c.address);
        EXPECT_EQ(WarrantyUrl().Load(), site.Origin() + c.warrantyUrl) << c.address;
    }
    auto lines = RequestLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], "GET /cn-zh/warrantyresult/p?a=1&serialNo=5CD%200+&multiWarranty=true HTTP/1.0")
        << "a space cannot stand in a request line; it alone is escaped";
}

TEST_F(OnBrowserNavigatedTest, FragmentKeepsTheAppendedPiecesFromTheSite) {
    NavigateTo(site.Origin() + kDriverPath + "#top");
    EXPECT_EQ(WarrantyUrl().Load(), site.Origin() + kResultPath + "#top&serialNo=5CD0000XYZ&multiWarranty=true");
    EXPECT_EQ(RequestLines(), std::vector<std::string>{std::string("GET ") + kResultPath + " HTTP/1.0"});
    // The site cannot tell whose page is asked for.
    EXPECT_EQ(controls.TextOf(Control::编辑框4), Gbk("未找到保修信息"));
    EXPECT_EQ(controls.TextOf(Control::编辑框1), Gbk("惠普战66 Pro G1 笔记本电脑"));
}

TEST_F(OnBrowserNavigatedTest, FailuresAreShownAsSuch) {
    struct Case {
        std::string serial;
        std::string shown;
    };
    const Case cases[] = {
        {"FAULT-EMPTY", "查询失败"},
        {"FAULT-ERROR", "未找到保修信息"},  // the site's error page, parsed like any page
        {"UNKNOWN1", "未找到保修信息"},
    };
    for (const Case& c : cases) {
        SerialNumber().Store(c.serial);
        NavigateTo(site.Origin() + kDriverPath);
        EXPECT_EQ(controls.TextOf(Control::编辑框4), Gbk(c.shown)) << c.serial;
        EXPECT_EQ(controls.TextOf(Control::编辑框1), Gbk("惠普战66 Pro G1 笔记本电脑")) << c.serial;
        EXPECT_EQ(controls.Writes().front(), (ControlWrite{Control::按钮2, Property::Disabled, "", false}));
    }

    // Nothing listening: no bytes at all.
    SerialNumber().Store("5CD0000XYZ");
    NavigateTo(std::string("http://127.0.0.1:9") + kDriverPath);
    EXPECT_EQ(controls.TextOf(Control::编辑框4), Gbk("查询失败"));
    EXPECT_EQ(WarrantyUrl().Load(), std::string("http://127.0.0.1:9") + kResultPath +
                                        "&serialNo=5CD0000XYZ&multiWarranty=true");
}

TEST_F(OnBrowserNavigatedTest, EveryQualifyingEventRepeatsTheLookup) {
    NavigateTo(site.Origin() + kDriverPath);
    SerialNumber().Store("5CD1111ABC");
    NavigateTo(site.Origin() + kDriverPath);

    EXPECT_EQ(RequestLines().size(), 2u);
    EXPECT_EQ(controls.TextOf(Control::编辑框1), Gbk("战66版 15"));
    EXPECT_EQ(controls.TextOf(Control::编辑框4), Gbk("剩余:2年8个月.截止:2022年9月30日"));
    EXPECT_EQ(WarrantyUrl().Load(), site.Origin() + kResultPath + "&serialNo=5CD1111ABC&multiWarranty=true");
    EXPECT_EQ(controls.Writes().size(), 6u);
}

}  // namespace
