#pragma once
// What the installer accepts as a place to write to: a target folder below
// the root of a drive, names of files and folders that stay in the folder
// they are joined to, and shell folders given as full paths. Windows takes
// slashes and backslashes alike as separators, and so do these rules.

#include <string>

// The folder as one normal full path below the root of a drive or share:
// backslashes only, a "\\?\" or "\\.\" prefix dropped, "." and ".." walked
// (never above the root), empty names left out, ending with a backslash.
// Empty when the text is no full path (relative, drive-relative like
// "C:dir", or from the root of the current drive like "\dir": where those
// land depends on a current directory the user never sees) or names a root.
std::string NormalFolderBelowRoot(const std::string& folder);

// True for a name of one file or folder that Windows keeps as it is: not
// empty, no separator, drive colon or other character a file name cannot
// hold, no trailing dot or blank (Windows drops them, so "..", too, is no
// name), and no device (CON, PRN, AUX, NUL, COM1 to COM9, LPT1 to LPT9, with
// or without an extension).
bool IsPlainName(const std::string& name);

// True for a path from the root of a drive ("C:\...") or of a share ("\\...").
bool IsFullPath(const std::string& path);
