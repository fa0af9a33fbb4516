#pragma once
// The desktop synchronisation software's application manager: where it is
// registered, and starting it in place of the installer.

#include <optional>
#include <string>

extern const char kAppManagerKey[];

// The default value of the application manager's App Paths key, read with a
// 260-byte buffer; none when the key or the value cannot be read.
std::optional<std::string> FindAppManager();

// Starts the program with the configuration path as its one argument and ends
// the installer's process; returns only when the start failed.
void StartInPlaceOfInstaller(const std::string& program, const std::string& configurationPath);
