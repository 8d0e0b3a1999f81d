#include <gtest/gtest.h>
#include <string>
#include "catalogue/SafeName.h"
#include "tests/Cp932.h"

TEST(DeviceNames, EveryDeviceWithAnyCaseExtensionAndTrailingDotsOrSpaces)
{
    struct Case {
        const char* name;
        bool device;
    };
    const Case cases[] = {
        {"CON", true},        {"con", true},        {"NUL.svp", true},       {"nul.svp_disabled", true},
        {"Aux.tar.gz", true}, {"PRN ", true},       {"NUL .svp", true},      {"Con...", true},
        {"COM1", true},       {"com9.svp", true},   {"LPT0", true},          {"lpt5.x", true},
        {"CONIN$", true},     {"conout$.svp", true},
        // Not devices: longer, shorter, a leading space, a tag, no number.
        {"CONSOLE.svp", false}, {"NULL", false},    {" NUL", false},         {"004_NUL.svp", false},
        {"COM", false},       {"COM10", false},     {"LPTA", false},         {"CO", false},
        {"", false},          {".svp", false},      {"Bars.svp", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsReservedDeviceName(c.name), c.device) << "'" << c.name << "'";
}

TEST(DeviceNames, APathHoldsADeviceWhereverItsComponentIs)
{
    EXPECT_TRUE(HoldsDeviceName("sub\\NUL"));
    EXPECT_TRUE(HoldsDeviceName("NUL\\Bars.svp"));
    EXPECT_TRUE(HoldsDeviceName("sub/com1.svp"));
    EXPECT_FALSE(HoldsDeviceName("004_Pack\\Pack.svp"));
    EXPECT_FALSE(HoldsDeviceName(""));
    // Code page 932: a trail byte "\" does not split a name.
    EXPECT_FALSE(HoldsDeviceName(cp932::kHyou + "NUL", Cp932LeadByte));
    EXPECT_TRUE(HoldsDeviceName(cp932::kHyou + "\\NUL", Cp932LeadByte));
}
