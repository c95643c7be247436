// Where Quillmere leaves its registration, all under HKEY_LOCAL_MACHINE.
// Every registry path of the product is spelled here and nowhere else.
#pragma once

namespace registration {

#define QUILLMERE_CURRENT_VERSION "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION"
#define QUILLMERE_APP_PATH "APP PATHS\\Corvelin.exe"

// The key under which all of the registration lives; removal opens it.
constexpr char kRemovalParent[] = QUILLMERE_CURRENT_VERSION;

// The application-path entry of Corvelin.exe, relative to the removal parent.
// Its presence is what makes the product count as installed.
constexpr char kAppPathEntry[] = QUILLMERE_APP_PATH;

// The same key by its full path; detection opens it.
constexpr char kDetectionKey[] = QUILLMERE_CURRENT_VERSION "\\" QUILLMERE_APP_PATH;

// The uninstall entries of releases 2.0, 2.1 and 2.2, relative to the removal
// parent, in the order in which they are deleted.
constexpr const char* kUninstallEntries[] = {
    "UNINSTALL\\Quillmere 2.0",
    "UNINSTALL\\Quillmere 2.1",
    "UNINSTALL\\Quillmere 2.2",
};

// The name of a key's default value.
constexpr char kDefaultValue[] = "";

#undef QUILLMERE_APP_PATH
#undef QUILLMERE_CURRENT_VERSION

}  // namespace registration
