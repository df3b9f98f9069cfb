// The lookup buttons against a recording URL opener: which pages open, in which order,
// built from the globals or 编辑框3 at the moment of the click.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "RecordingControlHost.h"
#include "app/LookupCommands.h"
#include "app/MainWindowLayout.h"
#include "platform/Shell.h"
#include "text/Text.h"
#include "warranty/GlobalState.h"

using platform::Control;
using platform::Property;

namespace {

std::vector<std::string> opened;
void RecordOpen(const std::string& url) { opened.push_back(url); }

const std::string kIdentify = "https://support.hp.com/cn-zh/drivers/selfservice/identify?q=";
const std::string kZhan66 =
    "https://support.hp.com/cn-zh/drivers/selfservice/hp-zhan-66-pro-g1-notebook-pc/17996593/model/17996596";
const std::string kParts = "http://partsurfer.hp.com/Search.aspx?SearchText=";

void UseDefaultOrigins() {
    for (const char* name : {"LANTUO_SUPPORT_SITE_ORIGIN", "LANTUO_PARTS_LOOKUP_ORIGIN"}) {
#ifdef _WIN32
        _putenv_s(name, "");
#else
        unsetenv(name);
#endif
    }
}

class LookupCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        UseDefaultOrigins();
        opened.clear();
        platform::InstallUrlOpener(RecordOpen);
        for (PublishedText* global : {&WarrantyUrl(), &SerialNumber(), &ModelName(), &ProductNumber()})
            global->Store("");
    }
    void TearDown() override { platform::InstallUrlOpener(nullptr); }

    static void Identified(const Text& model, const Text& product, const Text& serial) {
        ModelName().Store(model);
        ProductNumber().Store(product);
        SerialNumber().Store(serial);
    }
};

TEST_F(LookupCommandsTest, DriversOpensThePagesTheModelNameCallsFor) {
    struct Case {
        const char* what;
        Text model;
        std::vector<std::string> expected;
    };
    const Text product = "7DY08PA#AB2", serial = "5CD0000XYZ";
    const std::vector<Case> cases = {
        {"the ZHAN 66 Pro G1 name", Gbk("惠普战66 Pro G1 笔记本电脑"), {kZhan66}},
        {"one space more", Gbk("惠普战66 Pro G1  笔记本电脑"),
         {kIdentify + Gbk("惠普战66 Pro G1  笔记本电脑"), kIdentify + product, kIdentify + serial}},
        {"another letter case", Gbk("惠普战66 PRO G1 笔记本电脑"),
         {kIdentify + Gbk("惠普战66 PRO G1 笔记本电脑"), kIdentify + product, kIdentify + serial}},
        {"xx", "HP ProBook xx", {kIdentify + product, kIdentify + serial}},
        {"Xx", "HP Xx 440", {kIdentify + product, kIdentify + serial}},
        {"X X, the space removed", "HP X X 440", {kIdentify + product, kIdentify + serial}},
        {"a single X", "HP EliteBook X360", {kIdentify + "HP EliteBook X360", kIdentify + product, kIdentify + serial}},
        // 0x81 0x58 is one double-byte character whose second byte reads as 'X'.
        {"X only as a trail byte", "HP \x81\x58X 1", {kIdentify + "HP \x81\x58X 1", kIdentify + product, kIdentify + serial}},
        {"no model name yet", "", {kIdentify, kIdentify + product, kIdentify + serial}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        opened.clear();
        Identified(c.model, product, serial);
        OnDriversClicked();
        EXPECT_EQ(opened, c.expected);
    }
}

TEST_F(LookupCommandsTest, DriversKeepsEmptyValuesAndSpacesAsTheyAre) {
    Identified(Gbk("惠普 246 G7 "), "", " 5CD 01 ");
    OnDriversClicked();
    EXPECT_EQ(opened, (std::vector<std::string>{kIdentify + Gbk("惠普 246 G7 "), kIdentify, kIdentify + " 5CD 01 "}));

    opened.clear();
    Identified("HP XX", "", "");
    OnDriversClicked();
    EXPECT_EQ(opened, (std::vector<std::string>{kIdentify, kIdentify}));
}

TEST_F(LookupCommandsTest, DriversFollowsTheConfiguredOrigin) {
#ifdef _WIN32
    _putenv_s("LANTUO_SUPPORT_SITE_ORIGIN", "http://127.0.0.1:8080");
#else
    setenv("LANTUO_SUPPORT_SITE_ORIGIN", "http://127.0.0.1:8080", 1);
#endif
    Identified(Gbk("惠普战66 Pro G1 笔记本电脑"), "", "");
    OnDriversClicked();
    Identified("HP 1", "P", "S");
    OnDriversClicked();
    const std::string identify = "http://127.0.0.1:8080/cn-zh/drivers/selfservice/identify?q=";
    EXPECT_EQ(opened, (std::vector<std::string>{
                          "http://127.0.0.1:8080/cn-zh/drivers/selfservice/hp-zhan-66-pro-g1-notebook-pc/17996593/"
                          "model/17996596",
                          identify + "HP 1", identify + "P", identify + "S"}));
}

TEST_F(LookupCommandsTest, WarrantyOpensTheNewestWarrantyAddressAndNothingWithoutOne) {
    OnWarrantyClicked();
    EXPECT_TRUE(opened.empty());
    const std::string first = "https://support.hp.com/cn-zh/warrantyresult/a&serialNo=1&multiWarranty=true";
    const std::string second = "https://support.hp.com/cn-zh/warrantyresult/b&serialNo=2&multiWarranty=true";
    WarrantyUrl().Store(first);
    OnWarrantyClicked();
    WarrantyUrl().Store(second);
    OnWarrantyClicked();
    EXPECT_EQ(opened, (std::vector<std::string>{first, second}));
}

TEST_F(LookupCommandsTest, SparePartsSearchesForTheSerialBoxAsShownUntrimmed) {
    RecordingControlHost host;
    struct Case {
        const char* what;
        Text shown;
        std::vector<std::string> expected;
    };
    const std::vector<Case> cases = {
        {"empty", "", {}},
        {"while identifying", Gbk("查询中..."), {kParts + Gbk("查询中...")}},
        {"edited, with spaces around", " 5CD 0000 ", {kParts + " 5CD 0000 "}},
    };
    SerialNumber().Store("IGNORED");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        opened.clear();
        host.Preset(Control::编辑框3, Property::Text, c.shown);
        OnSparePartsClicked();
        EXPECT_EQ(opened, c.expected);
    }
}

TEST_F(LookupCommandsTest, EachButtonRunsItsOwnCommand) {
    RecordingControlHost host;
    host.Preset(Control::编辑框3, Property::Text, "S1");
    Identified(Gbk("惠普战66 Pro G1 笔记本电脑"), "", "");
    WarrantyUrl().Store("https://w");
    for (Control button : {Control::按钮4, Control::按钮2, Control::按钮1, Control::编辑框1}) OnButtonClicked(button);
    EXPECT_EQ(opened, (std::vector<std::string>{kParts + "S1", "https://w", kZhan66}));
}

}  // namespace
