#include "platform/standin/standin.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstring>
#include <map>

namespace standin {
namespace {

struct Key {
  std::string spelled;  // the path as it was created
  bool hasDefault = false;
  DWORD type = REG_NONE;
  std::string bytes;
  REGSAM denied = 0;
  bool refuseDelete = false;
};

struct Handle {
  std::string path;  // folded path of the key it refers to
  REGSAM access;
};

struct Fault {
  bool byOrdinal;
  Op op;
  std::size_t index;
  LONG code;
};

struct State {
  std::map<std::string, Key> keys;  // by folded path; "" is the root
  std::map<std::uintptr_t, Handle> handles;
  std::uintptr_t nextHandle = 0x1000;
  std::size_t opened = 0;
  std::vector<int> answers;
  std::size_t nextAnswer = 0;
  std::vector<Box> boxes;
  std::vector<Call> calls;
  std::vector<Fault> faults;
};

State& S() {
  static State state;
  return state;
}

const std::uintptr_t kRoot = reinterpret_cast<std::uintptr_t>(HKEY_LOCAL_MACHINE);

std::string Fold(const std::string& path) {
  std::string folded(path);
  for (char& c : folded) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return folded;
}

// Splits a relative path into its components; false for an empty component
// (leading, trailing or doubled backslash), which names no key.
bool Components(const std::string& path, std::vector<std::string>* parts) {
  parts->clear();
  if (path.empty()) return true;
  std::string part;
  for (char c : path) {
    if (c == '\\') {
      if (part.empty()) return false;
      parts->push_back(part);
      part.clear();
    } else {
      part += c;
    }
  }
  if (part.empty()) return false;
  parts->push_back(part);
  return true;
}

std::string Join(const std::string& base, const std::string& rel) {
  if (base.empty()) return rel;
  if (rel.empty()) return base;
  return base + "\\" + rel;
}

bool HasSubkeys(const std::string& folded) {
  const std::string prefix = folded.empty() ? std::string() : folded + "\\";
  for (const auto& entry : S().keys) {
    if (entry.first.size() > prefix.size() && entry.first.compare(0, prefix.size(), prefix) == 0)
      return true;
  }
  return false;
}

// Counts the call and tells whether a fault was planted for it.
bool Faulted(Op op, LONG* code) {
  State& s = S();
  const std::size_t ordinal = s.calls.size();
  std::size_t occurrence = 0;
  for (const Call& c : s.calls)
    if (c.op == op) ++occurrence;
  for (const Fault& f : s.faults) {
    if ((f.byOrdinal && f.index == ordinal) || (!f.byOrdinal && f.op == op && f.index == occurrence)) {
      *code = f.code;
      return true;
    }
  }
  return false;
}

LONG Log(Op op, const std::string& subject, REGSAM access, LONG result) {
  S().calls.push_back(Call{op, subject, access, result});
  return result;
}

// The folded path of a handle's key, or false for a handle that was never
// opened or was already closed.
bool Resolve(HKEY key, std::string* folded, REGSAM* access) {
  const auto value = reinterpret_cast<std::uintptr_t>(key);
  if (value == kRoot) {
    folded->clear();
    *access = KEY_ALL_ACCESS;
    return true;
  }
  const auto it = S().handles.find(value);
  if (it == S().handles.end()) return false;
  *folded = it->second.path;
  *access = it->second.access;
  return true;
}

std::string Spelled(const std::string& folded) {
  const auto it = S().keys.find(folded);
  return it == S().keys.end() ? folded : it->second.spelled;
}

}  // namespace

const char* OpName(Op op) {
  switch (op) {
    case Op::MessageBox: return "MessageBoxA";
    case Op::OpenKey: return "RegOpenKeyExA";
    case Op::QueryValue: return "RegQueryValueExA";
    case Op::DeleteKey: return "RegDeleteKeyA";
    case Op::CloseKey: return "RegCloseKey";
  }
  return "?";
}

void Reset() {
  S() = State();
  S().keys[""] = Key();
}

void CreateKey(const std::string& path) {
  std::vector<std::string> parts;
  if (!Components(path, &parts)) return;
  std::string spelled;
  for (const std::string& part : parts) {
    spelled = Join(spelled, part);
    Key& key = S().keys[Fold(spelled)];
    if (key.spelled.empty()) key.spelled = spelled;
  }
}

void SetDefaultValue(const std::string& path, DWORD type, const std::string& bytes) {
  CreateKey(path);
  Key& key = S().keys[Fold(path)];
  key.hasDefault = true;
  key.type = type;
  key.bytes = bytes;
}

void SetDefaultString(const std::string& path, const std::string& text) {
  SetDefaultValue(path, REG_SZ, text + std::string(1, '\0'));
}

void DenyAccess(const std::string& path, REGSAM bits) {
  CreateKey(path);
  S().keys[Fold(path)].denied |= bits;
}

void RefuseDelete(const std::string& path) {
  CreateKey(path);
  S().keys[Fold(path)].refuseDelete = true;
}

void RemoveKey(const std::string& path) {
  const std::string folded = Fold(path);
  for (auto it = S().keys.begin(); it != S().keys.end();) {
    const bool below = it->first.size() > folded.size() && it->first[folded.size()] == '\\' &&
                       it->first.compare(0, folded.size(), folded) == 0;
    it = (it->first == folded || below) && !it->first.empty() ? S().keys.erase(it) : std::next(it);
  }
}

bool KeyExists(const std::string& path) { return S().keys.count(Fold(path)) != 0; }

std::vector<std::string> AllKeys() {
  std::vector<std::string> all;
  for (const auto& entry : S().keys)
    if (!entry.first.empty()) all.push_back(entry.second.spelled);
  return all;
}

void ScriptAnswers(const std::vector<int>& answers) {
  S().answers = answers;
  S().nextAnswer = 0;
}

const std::vector<Box>& Boxes() { return S().boxes; }
const std::vector<Call>& Calls() { return S().calls; }

std::vector<Call> CallsOf(Op op) {
  std::vector<Call> some;
  for (const Call& c : S().calls)
    if (c.op == op) some.push_back(c);
  return some;
}

std::size_t HandlesOpened() { return S().opened; }
std::size_t HandlesStillOpen() { return S().handles.size(); }

void FailCall(std::size_t ordinal, LONG code) { S().faults.push_back(Fault{true, Op::MessageBox, ordinal, code}); }

void FailOperation(Op op, std::size_t occurrence, LONG code) {
  S().faults.push_back(Fault{false, op, occurrence, code});
}

}  // namespace standin

using standin::Op;

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
  standin::State& s = standin::S();
  const std::string shown = text ? text : "";
  LONG code = 0;
  if (standin::Faulted(Op::MessageBox, &code)) return standin::Log(Op::MessageBox, shown, 0, 0);
  int answer = 0;
  if (s.nextAnswer < s.answers.size()) answer = s.answers[s.nextAnswer++];
  s.boxes.push_back(standin::Box{owner != nullptr, shown, caption ? caption : "", style, answer});
  return standin::Log(Op::MessageBox, shown, 0, answer);
}

LONG RegOpenKeyExA(HKEY root, LPCSTR path, DWORD options, REGSAM access, PHKEY result) {
  using namespace standin;
  const std::string rel = path ? path : "";
  std::string base;
  REGSAM baseAccess = 0;
  const bool known = Resolve(root, &base, &baseAccess);
  const std::string subject = Join(Spelled(base), rel);
  LONG code = 0;
  if (Faulted(Op::OpenKey, &code)) return Log(Op::OpenKey, subject, access, code);
  if (!result || options != 0) return Log(Op::OpenKey, subject, access, ERROR_INVALID_PARAMETER);
  if (!known) return Log(Op::OpenKey, subject, access, ERROR_INVALID_HANDLE);
  std::vector<std::string> parts;
  if (!Components(rel, &parts)) return Log(Op::OpenKey, subject, access, ERROR_FILE_NOT_FOUND);
  const std::string folded = Fold(Join(base, rel));
  const auto it = S().keys.find(folded);
  if (it == S().keys.end()) return Log(Op::OpenKey, subject, access, ERROR_FILE_NOT_FOUND);
  if (access & it->second.denied) return Log(Op::OpenKey, subject, access, ERROR_ACCESS_DENIED);
  const std::uintptr_t handle = S().nextHandle;
  S().nextHandle += 4;
  S().handles[handle] = Handle{folded, access};
  ++S().opened;
  *result = reinterpret_cast<HKEY>(handle);
  return Log(Op::OpenKey, subject, access, ERROR_SUCCESS);
}

LONG RegQueryValueExA(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD size) {
  using namespace standin;
  std::string folded;
  REGSAM access = 0;
  const bool known = Resolve(key, &folded, &access);
  const std::string subject = Spelled(folded);
  LONG code = 0;
  if (Faulted(Op::QueryValue, &code)) {
    if (data && size) std::memset(data, 0xCD, *size);
    return Log(Op::QueryValue, subject, 0, code);
  }
  if (!known) return Log(Op::QueryValue, subject, 0, ERROR_INVALID_HANDLE);
  if (reserved || (data && !size)) return Log(Op::QueryValue, subject, 0, ERROR_INVALID_PARAMETER);
  const auto it = S().keys.find(folded);
  if (it == S().keys.end()) return Log(Op::QueryValue, subject, 0, ERROR_KEY_DELETED);
  if (!(access & KEY_QUERY_VALUE)) return Log(Op::QueryValue, subject, 0, ERROR_ACCESS_DENIED);
  const Key& k = it->second;
  if ((name && *name) || !k.hasDefault) return Log(Op::QueryValue, subject, 0, ERROR_FILE_NOT_FOUND);
  const DWORD length = static_cast<DWORD>(k.bytes.size());
  if (type) *type = k.type;
  if (data && *size < length) {
    // Windows leaves the buffer undefined here; leave the value's first bytes.
    std::memcpy(data, k.bytes.data(), *size);
    *size = length;
    return Log(Op::QueryValue, subject, 0, ERROR_MORE_DATA);
  }
  if (data) std::memcpy(data, k.bytes.data(), length);
  if (size) *size = length;
  return Log(Op::QueryValue, subject, 0, ERROR_SUCCESS);
}

LONG RegDeleteKeyA(HKEY key, LPCSTR path) {
  using namespace standin;
  std::string base;
  REGSAM access = 0;
  const bool known = Resolve(key, &base, &access);
  const std::string rel = path ? path : "";
  const std::string subject = Join(Spelled(base), rel);
  LONG code = 0;
  if (Faulted(Op::DeleteKey, &code)) return Log(Op::DeleteKey, subject, 0, code);
  if (!known) return Log(Op::DeleteKey, subject, 0, ERROR_INVALID_HANDLE);
  std::vector<std::string> parts;
  if (!path || rel.empty()) return Log(Op::DeleteKey, subject, 0, ERROR_INVALID_PARAMETER);
  if (!Components(rel, &parts)) return Log(Op::DeleteKey, subject, 0, ERROR_FILE_NOT_FOUND);
  if (!S().keys.count(base)) return Log(Op::DeleteKey, subject, 0, ERROR_KEY_DELETED);
  const std::string folded = Fold(Join(base, rel));
  const auto it = S().keys.find(folded);
  if (it == S().keys.end()) return Log(Op::DeleteKey, subject, 0, ERROR_FILE_NOT_FOUND);
  if (HasSubkeys(folded) || it->second.refuseDelete)
    return Log(Op::DeleteKey, subject, 0, ERROR_ACCESS_DENIED);
  S().keys.erase(it);
  return Log(Op::DeleteKey, subject, 0, ERROR_SUCCESS);
}

LONG RegCloseKey(HKEY key) {
  using namespace standin;
  std::string folded;
  REGSAM access = 0;
  const bool known = Resolve(key, &folded, &access);
  const std::string subject = Spelled(folded);
  const auto value = reinterpret_cast<std::uintptr_t>(key);
  LONG code = 0;
  // The product has done its part once it asked: a close made to fail still
  // counts the handle as released, so a planted fault is not taken for a leak.
  if (Faulted(Op::CloseKey, &code)) {
    S().handles.erase(value);
    return Log(Op::CloseKey, subject, 0, code);
  }
  if (!known || value == kRoot) return Log(Op::CloseKey, subject, 0, ERROR_INVALID_HANDLE);
  S().handles.erase(value);
  return Log(Op::CloseKey, subject, 0, ERROR_SUCCESS);
}
