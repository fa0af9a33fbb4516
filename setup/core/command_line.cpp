#include "command_line.h"

std::string QuoteArgument(const std::string& argument)
{
    if (!argument.empty() && argument.find_first_of(" \t\"") == std::string::npos)
        return argument;
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            quoted.append(backslashes * 2 + 1, '\\');
        } else {
            quoted.append(backslashes, '\\');
        }
        backslashes = 0;
        quoted += c;
    }
    // Backslashes before the closing quote must not escape it.
    quoted.append(backslashes * 2, '\\');
    quoted += '"';
    return quoted;
}

std::string UnquotedPath(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    if (text[first] == '"') {
        const std::size_t close = text.find('"', first + 1);
        return text.substr(first + 1, close == std::string::npos ? std::string::npos
                                                                 : close - first - 1);
    }
    return text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

std::string JoinCommandLine(const std::vector<std::string>& arguments)
{
    std::string line;
    for (const std::string& argument : arguments) {
        if (!line.empty())
            line += ' ';
        line += QuoteArgument(argument);
    }
    return line;
}
