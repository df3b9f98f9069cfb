// IdentifyMachine over fixture outputs of the management tool, against the recording
// control host. The product number comes from the system's own source (the registry,
// or DMI files on Linux); these tests take whatever it gives.
#include <gtest/gtest.h>

#include <vector>

#include "RecordingControlHost.h"
#include "identify/IdentifyMachine.h"
#include "identify/ManagementOutput.h"
#include "platform/Registry.h"
#include "warranty/GlobalState.h"
#include "warranty/SiteEndpoints.h"

using platform::Control;
using platform::Property;

namespace {

Text fixtureOutput;
Text FixtureOutput() { return fixtureOutput; }

const char kWmicOutput[] =
    "\r\n\r\nDescription=Computer System Product\r\nIdentifyingNumber=5CD0000XYZ\r\n"
    "Name=HP ZHAN 66 Pro G1 Notebook PC\r\nSKUNumber=\r\nUUID=4C4C4544-0000-1000-8000-000000000000\r\n"
    "Vendor=HP\r\nVersion= \r\n\r\n\r\n";

class IdentifyMachineTest : public testing::Test {
protected:
    void SetUp() override {
        for (PublishedText* global : {&SerialNumber(), &ModelName(), &ProductNumber()}) global->Store("");
    }

    void Identify(const Text& output) {
        fixtureOutput = output;
        IdentifyMachineFrom(&FixtureOutput);
    }

    // The product-number writes that the system's SystemSKU value calls for.
    static std::vector<ControlWrite> ProductNumberWrites() {
        Text sku = platform::ReadRegistryText(platform::RegistryRoot::LocalMachine,
                                              "HARDWARE\\DESCRIPTION\\System\\BIOS\\SystemSKU");
        if (!sku.empty()) return {{Control::编辑框2, Property::Text, sku}};
        return {{Control::编辑框2, Property::Visible, {}, false}, {Control::标签2, Property::Visible, {}, false}};
    }

    RecordingControlHost host;
};

TEST_F(IdentifyMachineTest, ShowsTheValuesInOrderAndSendsTheBrowserLast) {
    Identify(kWmicOutput);

    const Text querying = Gbk("查询中...");
    const Text model = Gbk("惠普战66 Pro G1 笔记本电脑");
    std::vector<ControlWrite> expected = {
        {Control::编辑框4, Property::Text, querying},
        {Control::编辑框3, Property::Text, querying},
        {Control::编辑框2, Property::Text, querying},
        {Control::编辑框1, Property::Text, querying},
    };
    for (const ControlWrite& write : ProductNumberWrites()) expected.push_back(write);
    expected.push_back({Control::编辑框1, Property::Text, model});
    expected.push_back({Control::编辑框3, Property::Text, "5CD0000XYZ"});
    expected.push_back({Control::超文本浏览框1, Property::Address, IdentifyPagePrefix() + "5CD0000XYZ"});
    EXPECT_EQ(host.Writes(), expected);
    EXPECT_EQ(SerialNumber().Load(), "5CD0000XYZ");
    EXPECT_EQ(ModelName().Load(), model);
    EXPECT_EQ(host.TextOf(Control::编辑框4), querying);
}

TEST_F(IdentifyMachineTest, TakesTheSerialNumberAfterTheMarkersLastOccurrenceUntrimmed) {
    struct Case {
        Text output, serial;
    };
    const Case cases[] = {
        {"IDENTIFYINGNUMBER=5CD0000XYZ\r\n", "5CD0000XYZ"},
        {"IdentifyingNumber=5CD0000XYZ \r\n", "5CD0000XYZ "},
        {"IdentifyingNumber=IdentifyingNumber=ABC\r\nIdentifyingNumber=DEF\r\n", "ABC"},
        {"IdentifyingNumber=5CD0000XYZ", "5CD0000XYZ"},
        {"IdentifyingNumber=\r\n", ""},
        {"IdentifyingNumber=A\nName=B\r\n", "A\nName=B"},  // a lone LF does not end a line
    };
    for (const Case& c : cases) {
        SetUp();
        Identify(c.output);
        EXPECT_EQ(SerialNumber().Load(), c.serial) << c.output;
        EXPECT_EQ(host.TextOf(Control::编辑框3), c.serial);
        EXPECT_EQ(host.Writes().back(), (ControlWrite{Control::超文本浏览框1, Property::Address,
                                                      IdentifyPagePrefix() + c.serial}));
    }
}

TEST_F(IdentifyMachineTest, GivesOneModelItsChineseNameWhateverTheCaseSpacesAndOrder) {
    struct Case {
        Text name, shown;
    };
    const Text zhan = Gbk("惠普战66 Pro G1 笔记本电脑");
    const Case cases[] = {
        {"HP ZHAN 66 Pro G1 Notebook PC", zhan},
        {"hp zhan66 pro g1", zhan},
        {"G1 Pro 66 Zhan", zhan},
        {"HP ProBook 660 G1", "HP ProBook 660 G1"},
        {"HP ZHAN 66 Pro 14 G2", "HP ZHAN 66 Pro 14 G2"},
        {"", ""},
    };
    for (const Case& c : cases) {
        SetUp();
        Identify("IdentifyingNumber=X\r\nName=" + c.name + "\r\n");
        EXPECT_EQ(ModelName().Load(), c.shown) << c.name;
        EXPECT_EQ(host.TextOf(Control::编辑框1), c.shown);
    }
}

TEST_F(IdentifyMachineTest, EmptyOutputLeavesTheFieldsEmptyAndTheAddressBare) {
    Identify("");
    EXPECT_EQ(host.TextOf(Control::编辑框1), "");
    EXPECT_EQ(host.TextOf(Control::编辑框3), "");
    EXPECT_EQ(host.TextOf(Control::编辑框4), Gbk("查询中..."));
    EXPECT_EQ(host.Writes().back(), (ControlWrite{Control::超文本浏览框1, Property::Address, IdentifyPagePrefix()}));
    EXPECT_EQ(SerialNumber().Load(), "");
    EXPECT_EQ(ModelName().Load(), "");
}

TEST_F(IdentifyMachineTest, OutputWithCrCrLfLinesGivesValuesWithoutAStrayCr) {
    fixtureOutput = "\r\r\n\r\r\nIdentifyingNumber=5CD0000XYZ\r\r\nName=HP ProBook 660 G1\r\r\n";
    IdentifyMachineFrom([] { return CollapseDoubleCarriageReturns(fixtureOutput); });
    EXPECT_EQ(host.TextOf(Control::编辑框3), "5CD0000XYZ");
    EXPECT_EQ(host.TextOf(Control::编辑框1), "HP ProBook 660 G1");
}

}  // namespace
