// IdentifyMachine on Linux: the values come from DMI fixture directories.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "RecordingControlHost.h"
#include "TempDirectory.h"
#include "identify/IdentifyMachine.h"
#include "warranty/GlobalState.h"
#include "warranty/SiteEndpoints.h"

using platform::Control;
using platform::Property;

namespace {

class IdentifyMachineLinux : public testing::Test {
protected:
    void SetUp() override {
        for (PublishedText* global : {&SerialNumber(), &ModelName(), &ProductNumber()}) global->Store("");
        ::setenv("LANTUO_DMI_DIR", dmi.Path().c_str(), 1);
    }
    void TearDown() override { ::unsetenv("LANTUO_DMI_DIR"); }

    TempDirectory dmi;
    RecordingControlHost host;
};

TEST_F(IdentifyMachineLinux, TakesSerialModelAndProductNumberFromTheDmiFiles) {
    dmi.Write("product_serial", "5CD0000XYZ\n");
    dmi.Write("product_name", "HP ZHAN 66 Pro G1 Notebook PC\n");
    dmi.Write("product_sku", "V8N95AA#ABA\n");

    IdentifyMachine();

    EXPECT_EQ(SerialNumber().Load(), "5CD0000XYZ");
    EXPECT_EQ(ModelName().Load(), Gbk("惠普战66 Pro G1 笔记本电脑"));
    EXPECT_EQ(ProductNumber().Load(), "V8N95AA#ABA");
    EXPECT_EQ(host.TextOf(Control::编辑框2), "V8N95AA#ABA");
    EXPECT_EQ(host.TextOf(Control::编辑框3), "5CD0000XYZ");
    EXPECT_EQ(host.Writes().back(),
              (ControlWrite{Control::超文本浏览框1, Property::Address, IdentifyPagePrefix() + "5CD0000XYZ"}));
}

TEST_F(IdentifyMachineLinux, NoDmiAtAllLeavesEverythingEmptyAndHidesTheProductNumber) {
    ::setenv("LANTUO_DMI_DIR", (dmi.Path() / "missing").c_str(), 1);

    IdentifyMachine();

    EXPECT_EQ(SerialNumber().Load(), "");
    EXPECT_EQ(ModelName().Load(), "");
    EXPECT_EQ(ProductNumber().Load(), "");
    EXPECT_EQ(host.TextOf(Control::编辑框1), "");
    EXPECT_EQ(host.TextOf(Control::编辑框3), "");
    EXPECT_EQ(host.TextOf(Control::编辑框2), Gbk("查询中..."));
    auto writes = host.Writes();
    ASSERT_EQ(writes.size(), 9u);
    EXPECT_EQ(writes[4], (ControlWrite{Control::编辑框2, Property::Visible, {}, false}));
    EXPECT_EQ(writes[5], (ControlWrite{Control::标签2, Property::Visible, {}, false}));
    EXPECT_EQ(writes[8], (ControlWrite{Control::超文本浏览框1, Property::Address, IdentifyPagePrefix()}));
}

TEST_F(IdentifyMachineLinux, FilesThatCannotBeReadAsValuesGiveEmptyValuesWithoutBlocking) {
    // product_serial is readable by root only; here a FIFO (which a plain open would
    // wait on for ever) and a directory stand for files that give no value.
    ASSERT_EQ(::mkfifo((dmi.Path() / "product_serial").c_str(), 0600), 0);
    std::filesystem::create_directory(dmi.Path() / "product_sku");
    dmi.Write("product_name", "HP ProBook 660 G1\n");

    IdentifyMachine();

    EXPECT_EQ(host.TextOf(Control::编辑框3), "");
    EXPECT_EQ(host.TextOf(Control::编辑框1), "HP ProBook 660 G1");
    EXPECT_EQ(ProductNumber().Load(), "");
}

}  // namespace
