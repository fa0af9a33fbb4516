#pragma once
// The desktop synchronisation software's application manager: where it is
// registered, and starting it in place of the installer.

#include <cstdint>
#include <optional>
#include <string>

extern const char kAppManagerKey[];

// The program file named by the default value of the application manager's
// App Paths key, read with a 260-byte buffer: from the installer's own view
// of the registry, else from the other one (a 32-bit installer registers in
// the 32-bit view). A value in quotes loses them; an expandable value is
// expanded. None when neither view holds a readable value.
std::optional<std::string> FindAppManager();

// Starts the program with the configuration path as its one argument and ends
// the installer's process; returns only when the start failed, with the
// system's error code.
std::uint32_t StartInPlaceOfInstaller(const std::string& program,
                                      const std::string& configurationPath);
