#include <gtest/gtest.h>

#include <set>

#include "error_text.h"

namespace {

struct Row {
    std::uint32_t code;
    const char* text;
};

// The words the user reads after a failed copy, code by code.
const Row kExpected[] = {
    {1, "Invalid function"},
    {2, "File not found"},
    {3, "Path not found"},
    {4, "Too many open files"},
    {5, "Access is denied"},
    {6, "The handle is invalid"},
    {15, "The system cannot find the drive specified"},
    {19, "The media is write protected"},
    {23, "Data error (cyclic redundancy check)"},
    {25, "The drive cannot locate a specific area or track on the disk."},
    {27, "The drive cannot find the sector requested."},
    {31, "A device attached to the system is not functioning."},
    {32, "The process cannot access the file because it is being used by another process."},
    {39, "The disk is full"},
    {50, "The network request is not supported"},
    {53, "The network path was not found."},
    {54, "The network is busy."},
    {55, "The specified network resource or device is no longer available."},
    {66, "The device type and the resource type do not match."},
    {67, "The share name specified is not valid or cannot be located."},
    {85, "The local device is already connected."},
    {86, "The specified password is invalid."},
    {87, "Invalid Parameter"},
    {123, "The filename, directory name, or volume label syntax is incorrect."},
    {126, "The specified module could not be found."},
    {127, "The specified procedure could not be found."},
    {183, "Cannot create a file when that file already exists."},
    {1200, "The local device name is invalid."},
    {1202, "An entry for the device specified in local device is already in the user profile."},
    {1203, "The operation cannot be performed because either a network component is not started or "
           "the specified name cannot be used."},
    {1205, "The system is unable to open the user profile to process persistent connections."},
    {1206, "The user profile is in an incorrect format."},
    {1208, "A network-specific error occurred."},
    {1222, "The network is not present."},
    {1326, "Logon failure: unknown user name or bad password"},
    {1327, "Logon failure: user account restriction."},
};

TEST(ErrorTextTest, EveryKnownCodeHasItsWords)
{
    ASSERT_EQ(std::size(kExpected), 36u);
    CErrorText errors;
    for (const Row& row : kExpected)
        EXPECT_EQ(errors.TextFor(row.code), row.text) << "code " << row.code;
}

TEST(ErrorTextTest, OtherCodesFallBackToLowercaseHex)
{
    CErrorText errors;
    EXPECT_EQ(errors.TextFor(0), "Unknown error(0)");
    EXPECT_EQ(errors.TextFor(1223), "Unknown error(4c7)");
    EXPECT_EQ(errors.TextFor(1328), "Unknown error(530)");
    EXPECT_EQ(errors.TextFor(0xFFFFFFFFu), "Unknown error(ffffffff)");
    EXPECT_EQ(errors.TextFor(0x80070002u), "Unknown error(80070002)");
}

TEST(ErrorTextTest, CodesBetweenTheRowsFallBack)
{
    std::set<std::uint32_t> known;
    for (const Row& row : kExpected)
        known.insert(row.code);
    CErrorText errors;
    for (std::uint32_t code = 0; code <= 1400; ++code) {
        if (known.count(code))
            continue;
        char expected[32];
        std::snprintf(expected, sizeof expected, "Unknown error(%x)", code);
        EXPECT_EQ(errors.TextFor(code), expected);
    }
}

}  // namespace
