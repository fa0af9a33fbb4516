#pragma once
// The application manifest compiled into a program file (resource 1 of type
// RT_MANIFEST), parsed by MSXML, with the parts that Windows acts on.

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

struct ApplicationManifest {
    int resources = 0;          // RT_MANIFEST resources in the file, of any id
    bool present = false;       // resource 1 among them
    std::string parseError;     // MSXML's reason, empty when well-formed
    std::string identityType;   // assemblyIdentity's type, version, architecture
    std::string identityVersion;
    std::string identityArchitecture;
    std::string executionLevel;  // trustInfo's requestedExecutionLevel, level and uiAccess
    std::string uiAccess;
    std::vector<std::string> supportedOS;  // compatibility section's ids, lower case
};

// The supportedOS ids that Windows defines for Vista, 7, 8, 8.1 and 10/11.
inline const std::vector<std::string> VistaTo10OsIds = {
    "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
    "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
    "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
    "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
    "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
};

// Reads the manifest of `module`, loaded as a data file. Needs no COM set-up
// by the caller.
ApplicationManifest ReadApplicationManifest(HMODULE module);

// What differs from a well-formed manifest 1, the only one, of a win32 X86
// assembly of `version` asking for `level` (uiAccess false) on Vista to 10;
// empty when nothing does.
std::vector<std::string> ManifestMismatches(const ApplicationManifest& manifest, const std::string& version,
                                            const std::string& level);

}  // namespace e2e
