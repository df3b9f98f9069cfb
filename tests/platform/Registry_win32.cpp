// ReadRegistryText against values the test writes under HKEY_CURRENT_USER.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/CodePage.h"
#include "platform/Registry.h"
#include "text/Text.h"

namespace {

using platform::ReadRegistryText;
using platform::RegistryRoot;

class RegistryFixture : public testing::Test {
protected:
    void SetUp() override {
        keyPath = L"Software\\LantuoTest\\" + std::to_wstring(GetCurrentProcessId()) + L"\\" +
                  platform::Cp936ToWide(Gbk("产品乗"));
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
    }
    void TearDown() override {
        RegCloseKey(key);
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\LantuoTest");
    }

    void SetString(const std::wstring& name, DWORD type, const std::wstring& data) {
        RegSetValueExW(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    }
    std::string Read(const std::string& valueName) {
        return ReadRegistryText(RegistryRoot::CurrentUser, platform::WideToCp936(keyPath) + "\\" + valueName);
    }

    std::wstring keyPath;
    HKEY key = nullptr;
};

TEST_F(RegistryFixture, StringValuesGiveTheirTextUpToTheFirstNul) {
    SetString(L"SystemSKU", REG_SZ, L"V8N95AA#ABA");
    SetString(L"Embedded", REG_SZ, std::wstring(L"ab\0cd", 5));
    SetString(platform::Cp936ToWide(Gbk("型号")), REG_SZ, platform::Cp936ToWide(Gbk("战66")));
    SetString(L"Empty", REG_SZ, L"");
    EXPECT_EQ(Read("SystemSKU"), "V8N95AA#ABA");
    EXPECT_EQ(Read("Embedded"), "ab");
    EXPECT_EQ(Read(Gbk("型号")), Gbk("战66"));
    EXPECT_EQ(Read("Empty"), "");
}

TEST_F(RegistryFixture, ExpandableStringsAreExpanded) {
    SetEnvironmentVariableW(L"LANTUO_TEST_SKU", L"V8N95AA");
    SetString(L"SystemSKU", REG_EXPAND_SZ, L"%LANTUO_TEST_SKU%#ABA");
    EXPECT_EQ(Read("SystemSKU"), "V8N95AA#ABA");
}

TEST_F(RegistryFixture, OtherTypesAndMissingKeysOrValuesGiveTheEmptyText) {
    DWORD number = 42;
    RegSetValueExW(key, L"Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof(number));
    const wchar_t multi[] = L"a\0b\0";
    RegSetValueExW(key, L"Multi", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi), sizeof(multi));
    EXPECT_EQ(Read("Number"), "");
    EXPECT_EQ(Read("Multi"), "");
    EXPECT_EQ(Read("Missing"), "");
    EXPECT_EQ(ReadRegistryText(RegistryRoot::CurrentUser, "Software\\LantuoTest\\NoSuchKey\\Value"), "");
}

TEST(RegistryWin32, TheBiosKeysProductNumberIsReadable) {
    // Present on every Windows (empty under Wine); the call must simply work.
    std::string sku = ReadRegistryText(RegistryRoot::LocalMachine, "HARDWARE\\DESCRIPTION\\System\\BIOS\\SystemSKU");
    EXPECT_EQ(sku.find('\0'), std::string::npos);
}

}  // namespace
