#pragma once
// Command lines for programs the installer starts. Each argument is quoted
// when it holds blanks, so that a folder with blanks reaches the program as
// one argument (the C runtime's parsing rules: backslashes before a quote are
// doubled).

#include <string>
#include <vector>

std::string QuoteArgument(const std::string& argument);
std::string JoinCommandLine(const std::vector<std::string>& arguments);

// A program path as the registry may hold it: surrounding blanks go, and a
// path in double quotes is what stands between them.
std::string UnquotedPath(const std::string& text);
