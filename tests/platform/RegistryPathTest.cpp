#include <gtest/gtest.h>

#include "platform/Registry.h"
#include "text/Text.h"

namespace {

TEST(SplitRegistryPath, SplitsAtTheLastBackslashThatIsACharacterOfItsOwn) {
    struct Case {
        Text path, key, value;
    };
    // 乗 is 81 5C in code page 936: its second byte is a backslash byte.
    const Text trail = Gbk("乗");
    const Case cases[] = {
        {"HARDWARE\\DESCRIPTION\\System\\BIOS\\SystemSKU", "HARDWARE\\DESCRIPTION\\System\\BIOS", "SystemSKU"},
        {"SystemSKU", "", "SystemSKU"},
        {"Key\\", "Key", ""},
        {"\\Value", "", "Value"},
        {"Key\\" + trail, "Key", trail},
        {"Key\\Sub" + trail + "Name", "Key", "Sub" + trail + "Name"},
        {trail + "\\" + trail, trail, trail},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        platform::RegistryPath parts = platform::SplitRegistryPath(c.path);
        EXPECT_EQ(parts.key, c.key) << c.path;
        EXPECT_EQ(parts.value, c.value) << c.path;
    }
}

}  // namespace
