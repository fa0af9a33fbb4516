#pragma once
// An in-memory file system and clock for CPathName: fixed macro sources, a
// set of existing folders, folders that refuse to be made, and a record of
// every folder made and every change of the current directory.

#include <map>
#include <set>
#include <string>
#include <vector>

#include "path_platform.h"

class FakePathPlatform : public PathPlatform {
public:
    std::string windowsDir = "C:\\windows";
    std::string systemDir = "C:\\windows\\system32";
    std::string currentDir = "C:\\work";
    LocalDate today{7, 12, 2026};
    std::set<char> cdromDrives;
    std::set<std::string> folders;                  // existing folders
    std::map<std::string, unsigned long> refusals;  // folder -> error on creation
    std::vector<std::string> created;               // every CreateDirectory call
    std::vector<std::string> driveQueries;

    std::string WindowsDirectory() override { return windowsDir; }
    std::string SystemDirectory() override { return systemDir; }
    std::string CurrentDirectory() override { return currentDir; }
    LocalDate Today() override { return today; }
    unsigned DriveType(const std::string& root) override
    {
        driveQueries.push_back(root);
        return (root.size() == 2 && root[1] == ':' && cdromDrives.count(root[0])) ? 5 : 3;
    }
    bool ChangeDirectory(const std::string& path) override
    {
        std::string folder = path;
        if (folder.size() > 1 && (folder.back() == '\\' || folder.back() == '/'))
            folder.pop_back();
        if (path != currentDir && !folders.count(folder))
            return false;
        currentDir = path;
        return true;
    }
    unsigned long MakeDirectory(const std::string& path) override
    {
        created.push_back(path);
        const auto refusal = refusals.find(path);
        if (refusal != refusals.end())
            return refusal->second;
        if (folders.count(path))
            return 183;
        folders.insert(path);
        return 0;
    }
};
