// IdentifyMachine on Windows with a fake wmic first on PATH, and without one.
#include <gtest/gtest.h>

#include <windows.h>

#include "RecordingControlHost.h"
#include "TempDirectory.h"
#include "identify/IdentifyMachine.h"
#include "identify/Smbios.h"
#include "warranty/GlobalState.h"
#include "warranty/SiteEndpoints.h"

using platform::Control;
using platform::Property;

namespace {

class IdentifyMachineWin32 : public testing::Test {
protected:
    void SetUp() override {
        for (PublishedText* global : {&SerialNumber(), &ModelName(), &ProductNumber()}) global->Store("");
        DWORD size = GetEnvironmentVariableW(L"PATH", nullptr, 0);
        savedPath.resize(size);
        GetEnvironmentVariableW(L"PATH", savedPath.data(), size);
        savedPath.resize(size ? size - 1 : 0);
    }
    void TearDown() override { SetEnvironmentVariableW(L"PATH", savedPath.c_str()); }

    // Puts a wmic.cmd first on PATH that writes `output` byte for byte.
    void FakeWmic(const std::string& output) {
        auto fixture = directory.Write("output.bin", output);
        directory.Write("wmic.cmd", "@type \"" + fixture.string() + "\"\r\n");
        SetEnvironmentVariableW(L"PATH", (directory.Path().wstring() + L";" + savedPath).c_str());
    }

    static platform::FirmwareIdentity Firmware() {
        return platform::ReadFirmwareIdentity(&ParseSmbiosSystemInformation);
    }

    std::wstring savedPath;
    TempDirectory directory;
    RecordingControlHost host;
};

TEST_F(IdentifyMachineWin32, ParsesTheToolsCrCrLfLinesWithoutAStrayCr) {
    FakeWmic("\r\r\n\r\r\nDescription=Computer System Product\r\r\nIdentifyingNumber=5CD0000XYZ\r\r\n"
             "Name=HP ZHAN 66 Pro G1 Notebook PC\r\r\nSKUNumber=\r\r\nVendor=HP\r\r\nVersion= \r\r\n\r\r\n");

    IdentifyMachine();

    EXPECT_EQ(SerialNumber().Load(), "5CD0000XYZ");
    EXPECT_EQ(host.TextOf(Control::编辑框3), "5CD0000XYZ");
    EXPECT_EQ(host.TextOf(Control::编辑框1), Gbk("惠普战66 Pro G1 笔记本电脑"));
    EXPECT_EQ(host.Writes().back(),
              (ControlWrite{Control::超文本浏览框1, Property::Address, IdentifyPagePrefix() + "5CD0000XYZ"}));
}

TEST_F(IdentifyMachineWin32, ToolOutputWithoutTheSerialLineGivesWayToTheFirmware) {
    FakeWmic("Error: Alias not found\r\r\nName=ignored\r\r\n");
    IdentifyMachine();
    EXPECT_EQ(host.TextOf(Control::编辑框3), Firmware().serialNumber);
    EXPECT_EQ(host.TextOf(Control::编辑框1), Firmware().productName);
}

TEST_F(IdentifyMachineWin32, NoToolAtAllGivesTheFirmwaresValues) {
    // Nothing on PATH: cmd.exe itself is still found in the system directory.
    SetEnvironmentVariableW(L"PATH", directory.Path().wstring().c_str());
    IdentifyMachine();
    EXPECT_EQ(host.TextOf(Control::编辑框3), Firmware().serialNumber);
    EXPECT_EQ(host.Writes().back(), (ControlWrite{Control::超文本浏览框1, Property::Address,
                                                  IdentifyPagePrefix() + Firmware().serialNumber}));
}

}  // namespace
