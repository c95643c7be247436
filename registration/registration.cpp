#include "registration/registration.h"

#include "platform/platform.h"
#include "registration/locations.h"

char InstallFolder[kInstallFolderSize];

namespace {

// The registry read may fill all but the last byte, which stays the terminator.
constexpr DWORD kReadCapacity = kInstallFolderSize - 1;

// Turns the full path of a program into its folder: the text is cut at its
// last backslash. The first character is never taken as that backslash, so a
// path such as \Corvelin.exe, or a text with no backslash at all, stays whole.
void CutAtLastBackslash(char* text) {
  char* last = nullptr;
  for (unsigned i = 0; i < kReadCapacity && text[i] != '\0'; ++i)
    if (i != 0 && text[i] == '\\') last = text + i;
  if (last) *last = '\0';
}

}  // namespace

int DetectReference() {
  using namespace registration;
  HKEY key;
  // Detection only reads, so it asks for no more than reading: a user who may
  // not change the entry still learns that the product is installed.
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kDetectionKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return 0;
  DWORD size = kReadCapacity;
  const LONG read = RegQueryValueExA(key, kDefaultValue, nullptr, nullptr,
                                     reinterpret_cast<LPBYTE>(InstallFolder), &size);
  RegCloseKey(key);
  if (read != ERROR_SUCCESS || size > kReadCapacity) {
    // After a failed read the buffer holds nothing worth showing.
    InstallFolder[0] = '\0';
    return 1;
  }
  // Whatever type the value has, its bytes are taken as text, ending where
  // the value ends even if it carries no terminator of its own. The last byte
  // of the buffer is never written: it is the terminator of a full read.
  if (size < kReadCapacity) InstallFolder[size] = '\0';
  CutAtLastBackslash(InstallFolder);
  return 1;
}

int RemoveReferences() {
  using namespace registration;
  HKEY parent;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRemovalParent, 0, KEY_ALL_ACCESS, &parent) != ERROR_SUCCESS)
    return 0;
  // The application-path entry decides: if it stays, no uninstall entry is touched.
  int removed = RegDeleteKeyA(parent, kAppPathEntry) == ERROR_SUCCESS;
  if (removed) {
    for (const char* entry : kUninstallEntries) {
      // An entry that is not there is already clean; one that stays is a failure,
      // but the remaining entries are still tried.
      const LONG result = RegDeleteKeyA(parent, entry);
      if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) removed = 0;
    }
  }
  RegCloseKey(parent);
  return removed;
}
