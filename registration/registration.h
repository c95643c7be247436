// Finding and removing Quillmere's registration.
#pragma once

// Size of InstallFolder: room for 299 characters and the terminator.
constexpr unsigned kInstallFolderSize = 300;

// The folder in which Quillmere was installed, as found by DetectReference:
// always a zero-terminated text within its 300 bytes. Empty until
// DetectReference found a readable application-path entry.
extern char InstallFolder[kInstallFolderSize];

// 1 when Corvelin.exe's application-path entry can be opened for reading, and
// then InstallFolder holds the folder of the path stored in its default value
// (empty when the value cannot be read); 0 when the entry cannot be opened,
// and then InstallFolder is left as it was.
int DetectReference();

// Deletes the application-path entry, then the uninstall entries of releases
// 2.0, 2.1 and 2.2. 1 when the application-path entry was deleted and no
// uninstall entry that exists was left behind; 0 otherwise.
int RemoveReferences();
