// Quillmere's registration as the tests set it up and look for it, under
// HKEY_LOCAL_MACHINE, spelled as Windows spells it. The program asks in
// capitals: key names are compared without regard to case. Written out here
// independently of the program's own constants.
#pragma once

#include <string>
#include <vector>

namespace expected {

inline const std::string kCurrentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
inline const std::string kAppPath = kCurrentVersion + "\\App Paths\\Corvelin.exe";
inline const std::string kUninstall20 = kCurrentVersion + "\\Uninstall\\Quillmere 2.0";
inline const std::string kUninstall21 = kCurrentVersion + "\\Uninstall\\Quillmere 2.1";
inline const std::string kUninstall22 = kCurrentVersion + "\\Uninstall\\Quillmere 2.2";
inline const std::vector<std::string> kUninstallEntries = {kUninstall20, kUninstall21, kUninstall22};

// Look-alikes that belong to somebody else and must survive every run.
inline const std::vector<std::string> kNeighbours = {
    kCurrentVersion + "\\Uninstall\\Quillmere 2.3",
    kCurrentVersion + "\\Uninstall\\Quillmere",
    kCurrentVersion + "\\Uninstall\\Quillmere 2.0 Beta",
    kCurrentVersion + "\\App Paths\\Corvelin2.exe",
    kCurrentVersion + "\\App Paths\\Corvelin.exe.old",
};

// The part of a key's path below kCurrentVersion, as a person reads it.
inline std::string BelowCurrentVersion(const std::string& path) {
  return path.substr(kCurrentVersion.size() + 1);
}

}  // namespace expected
