#include "tests/wine/harness.h"

#include <cstdio>

namespace harness {
namespace {

void Complain(const char* what, const std::string& path, LONG code) {
  std::fprintf(stderr, "registry: %s HKLM\\%s failed with error %ld\n", what, path.c_str(), code);
}

struct Search {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM param) {
  Search* search = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid != search->pid || !IsWindowVisible(hwnd)) return TRUE;
  char cls[64] = "";
  GetClassNameA(hwnd, cls, sizeof cls);
  if (std::string(cls) != "#32770") return TRUE;
  search->found = hwnd;
  return FALSE;
}

BOOL CALLBACK CollectButton(HWND hwnd, LPARAM param) {
  auto* buttons = reinterpret_cast<std::vector<Button>*>(param);
  char cls[64] = "";
  GetClassNameA(hwnd, cls, sizeof cls);
  if (lstrcmpiA(cls, "Button") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  char text[128] = "";
  GetWindowTextA(hwnd, text, sizeof text);
  buttons->push_back(Button{GetDlgCtrlID(hwnd), text});
  return TRUE;
}

std::string WindowText(HWND hwnd) {
  char text[2048] = "";
  GetWindowTextA(hwnd, text, sizeof text);
  return text;
}

Box ReadBox(HWND hwnd) {
  Box box;
  box.window = hwnd;
  box.caption = WindowText(hwnd);
  HWND label = GetDlgItem(hwnd, 0xFFFF);
  if (label) box.text = WindowText(label);
  EnumChildWindows(hwnd, CollectButton, reinterpret_cast<LPARAM>(&box.buttons));
  box.pressed = 0;
  return box;
}

struct Script {
  const std::vector<int>* answers;
  std::size_t next;
};

int FromScript(const Box&, void* context) {
  Script* script = static_cast<Script*>(context);
  if (script->next >= script->answers->size()) return 0;
  return (*script->answers)[script->next++];
}

}  // namespace

bool SetDefault(const std::string& path, DWORD type, const std::string& bytes) {
  HKEY key;
  LONG r = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                           nullptr, &key, nullptr);
  if (r != ERROR_SUCCESS) {
    Complain("creating", path, r);
    return false;
  }
  r = RegSetValueExA(key, "", 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                     static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
  if (r != ERROR_SUCCESS) Complain("setting the default value of", path, r);
  return r == ERROR_SUCCESS;
}

bool SetDefaultString(const std::string& path, const std::string& text) {
  return SetDefault(path, REG_SZ, text + std::string(1, '\0'));
}

bool CreateKey(const std::string& path) {
  HKEY key;
  const LONG r = RegCreateKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0,
                                 KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (r != ERROR_SUCCESS) {
    Complain("creating", path, r);
    return false;
  }
  RegCloseKey(key);
  return true;
}

bool DeleteTree(const std::string& path) {
  LONG r = RegDeleteTreeA(HKEY_LOCAL_MACHINE, path.c_str());
  if (r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND) {
    // RegDeleteTree empties the key; the key itself goes with RegDeleteKey.
    r = RegDeleteKeyA(HKEY_LOCAL_MACHINE, path.c_str());
    if (r == ERROR_SUCCESS || r == ERROR_FILE_NOT_FOUND) return true;
  }
  Complain("deleting", path, r);
  return false;
}

bool KeyExists(const std::string& path) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

bool ReadDefault(const std::string& path, DWORD* type, std::string* bytes) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
    return false;
  DWORD size = 0;
  LONG r = RegQueryValueExA(key, "", nullptr, type, nullptr, &size);
  if (r == ERROR_SUCCESS) {
    bytes->assign(size, '\0');
    r = RegQueryValueExA(key, "", nullptr, type, reinterpret_cast<BYTE*>(&(*bytes)[0]), &size);
    bytes->resize(size);
  }
  RegCloseKey(key);
  return r == ERROR_SUCCESS;
}

std::string ProgramPath() {
  char path[MAX_PATH] = "";
  const DWORD n = GetEnvironmentVariableA("QUILLMERE_PROGRAM", path, sizeof path);
  if (n > 0 && n < sizeof path) return path;
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string self(path);
  return self.substr(0, self.find_last_of('\\') + 1) + "QuillmereCheck.exe";
}

Run RunProgram(const std::string& program, const std::string& arguments, Chooser chooser,
               void* context, DWORD timeoutMs) {
  Run run;
  std::string commandLine = "\"" + program + "\"" + (arguments.empty() ? "" : " " + arguments);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    run.problem = "could not start " + program + ": error " + std::to_string(GetLastError());
    return run;
  }
  run.started = true;
  const DWORD start = GetTickCount();
  HWND answered = nullptr;
  while (GetTickCount() - start < timeoutMs) {
    if (WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0) {
      run.finished = true;
      break;
    }
    // The box just answered may linger for a moment while it closes.
    if (answered && IsWindow(answered)) continue;
    answered = nullptr;
    Search search = {process.dwProcessId, nullptr};
    EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
    if (!search.found) continue;
    Sleep(50);  // let the box finish laying itself out before it is read
    Box box = ReadBox(search.found);
    box.pressed = chooser(box, context);
    run.boxes.push_back(box);
    if (box.pressed == 0) {
      run.problem = "no answer for box " + std::to_string(run.boxes.size()) + " \"" + box.text + "\"";
      break;
    }
    PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(box.pressed, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(search.found, box.pressed)));
    answered = search.found;
  }
  if (!run.finished) {
    if (run.problem.empty()) run.problem = "the program did not end in time";
    TerminateProcess(process.hProcess, 255);
    WaitForSingleObject(process.hProcess, 5000);
  }
  GetExitCodeProcess(process.hProcess, &run.exitStatus);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return run;
}

Run RunScripted(const std::string& arguments, const std::vector<int>& answers) {
  Script script = {&answers, 0};
  return RunProgram(ProgramPath(), arguments, FromScript, &script);
}

std::string ButtonLabel(const std::string& text) {
  std::string plain;
  for (char c : text)
    if (c != '&') plain += c;
  return plain;
}

int ButtonId(const std::string& name) {
  const std::string plain = ButtonLabel(name);
  if (lstrcmpiA(plain.c_str(), "yes") == 0 || lstrcmpiA(plain.c_str(), "y") == 0) return IDYES;
  if (lstrcmpiA(plain.c_str(), "no") == 0 || lstrcmpiA(plain.c_str(), "n") == 0) return IDNO;
  if (lstrcmpiA(plain.c_str(), "ok") == 0 || lstrcmpiA(plain.c_str(), "o") == 0) return IDOK;
  return 0;
}

}  // namespace harness
