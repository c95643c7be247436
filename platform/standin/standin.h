// The stand-in platform: an in-memory registry and a scripted message box
// behind the five operations declared in api.h, for the host tests.
//
// The registry behaves like the Windows NT registry where the product can
// tell the difference: one root (HKEY_LOCAL_MACHINE), backslash-separated
// paths, key names compared without regard to case, a default value of any
// type holding raw bytes, reads that write at most the offered size and
// report a too-small buffer as a failure, deletes that refuse a key with
// subkeys or an absent key. Every call is logged; handles are counted; any
// call can be made to fail on demand.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/standin/api.h"

namespace standin {

// Error the stand-in reports for an operation on a handle whose key has since
// been deleted (the Windows code of the same name).
constexpr LONG ERROR_KEY_DELETED = 1018;

enum class Op { MessageBox, OpenKey, QueryValue, DeleteKey, CloseKey };
const char* OpName(Op op);

// One platform call as the product made it.
struct Call {
  Op op;
  std::string subject;  // the key's full path as the product named it; a box's text
  REGSAM access;        // the access asked for (OpenKey only)
  LONG result;          // the call's result; for a box, the button returned
};

// One message box as the product asked for it.
struct Box {
  bool hasOwner;
  std::string text;
  std::string caption;
  UINT style;
  int answer;
};

// Forget everything: an empty registry, no handles, no script, no faults, no
// log. Call at the start of every test, as a new process would start.
void Reset();

// --- Registry state ----------------------------------------------------------
// Paths are relative to HKEY_LOCAL_MACHINE, written with backslashes.

// Creates the key and every missing key above it.
void CreateKey(const std::string& path);
// Creates the key if needed and sets its default value to raw bytes of a type.
void SetDefaultValue(const std::string& path, DWORD type, const std::string& bytes);
// A default value as a REG_SZ with its terminating zero, as Windows stores it.
void SetDefaultString(const std::string& path, const std::string& text);
// Opening the key asking for any of these access bits fails (access denied).
void DenyAccess(const std::string& path, REGSAM bits);
// Deleting the key fails (access denied), as for a key protected by its ACL.
void RefuseDelete(const std::string& path);
// Removes the key and everything below it, as another program would: no
// call of the product's is logged.
void RemoveKey(const std::string& path);
bool KeyExists(const std::string& path);
// Every key present, spelled as created, in a stable order.
std::vector<std::string> AllKeys();

// --- Message boxes -----------------------------------------------------------

// The buttons the user will press, one per box, in order. A box shown after
// the script has run out is answered with 0, as a box that cannot be shown.
void ScriptAnswers(const std::vector<int>& answers);
const std::vector<Box>& Boxes();

// --- Observation and faults --------------------------------------------------

const std::vector<Call>& Calls();
// The calls of one operation only.
std::vector<Call> CallsOf(Op op);
std::size_t HandlesOpened();
std::size_t HandlesStillOpen();

// The platform call with this ordinal (0 for the first call of the run,
// counting all five operations) fails with this code and has no effect. A
// failed message box returns 0; a failed read scribbles over the offered
// buffer, as Windows leaves it undefined.
void FailCall(std::size_t ordinal, LONG code);
// The n-th call (0 for the first) of one operation fails in the same way.
void FailOperation(Op op, std::size_t occurrence, LONG code);

}  // namespace standin
