#include "error_text.h"

#include <charconv>

namespace {

struct ErrorRow {
    std::uint32_t code;
    const char* text;
};

constexpr ErrorRow kErrorRows[] = {
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
    {1203, "The operation cannot be performed because either a network component is not started "
           "or the specified name cannot be used."},
    {1205, "The system is unable to open the user profile to process persistent connections."},
    {1206, "The user profile is in an incorrect format."},
    {1208, "A network-specific error occurred."},
    {1222, "The network is not present."},
    {1326, "Logon failure: unknown user name or bad password"},
    {1327, "Logon failure: user account restriction."},
};

}  // namespace

std::string CErrorText::TextFor(std::uint32_t code) const
{
    for (const ErrorRow& row : kErrorRows) {
        if (row.code == code)
            return row.text;
    }
    char hex[16];
    char* end = std::to_chars(hex, hex + sizeof hex, code, 16).ptr;
    return "Unknown error(" + std::string(hex, end) + ")";
}
