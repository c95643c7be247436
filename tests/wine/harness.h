// Drives the real QuillmereCheck.exe on Windows (or Wine): sets up the
// registry through the Win32 API, starts the program as a child process, reads
// and answers each message box it shows, and reports its exit status.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace harness {

// --- Registry, under HKEY_LOCAL_MACHINE --------------------------------------

// Creates the key (and any key above it) and sets its default value to raw
// bytes of the given type. Returns false, having said why on stderr, when the
// registry refuses.
bool SetDefault(const std::string& path, DWORD type, const std::string& bytes);
// A default value holding a text, stored as REG_SZ with its terminator.
bool SetDefaultString(const std::string& path, const std::string& text);
// Creates the key without any value.
bool CreateKey(const std::string& path);
// Deletes the key and everything below it; an absent key is fine.
bool DeleteTree(const std::string& path);
bool KeyExists(const std::string& path);
// The default value's bytes, or false when the key or the value is absent.
bool ReadDefault(const std::string& path, DWORD* type, std::string* bytes);

// --- The program's message boxes ---------------------------------------------

struct Button {
  int id;
  std::string text;
};

struct Box {
  HWND window;
  std::string caption;
  std::string text;
  std::vector<Button> buttons;  // the visible ones, left to right as created
  int pressed;                  // the id pressed, 0 if none
};

struct Run {
  bool started = false;
  bool finished = false;  // the process ended on its own within the time allowed
  DWORD exitStatus = 0;
  std::vector<Box> boxes;
  std::string problem;    // why the run went wrong, empty when it did not
};

// Chooses the button for a box; returns 0 to press nothing and end the run.
typedef int (*Chooser)(const Box& box, void* context);

// The program under test: QuillmereCheck.exe beside this test program, unless
// QUILLMERE_PROGRAM names another one.
std::string ProgramPath();

// Starts the program with these command-line arguments and presses, for each
// box in turn, the button the chooser returns. The whole run may take at most
// timeoutMs; a program that is still running then is ended and reported.
Run RunProgram(const std::string& program, const std::string& arguments, Chooser chooser,
               void* context, DWORD timeoutMs = 20000);

// The same with a fixed script of buttons, one per box.
Run RunScripted(const std::string& arguments, const std::vector<int>& answers);

// A button's label without its keyboard accelerator: "&Yes" reads "Yes".
std::string ButtonLabel(const std::string& text);

// The id of a button's usual name ("Yes", "No", "OK", accelerator marks
// allowed), 0 for any other.
int ButtonId(const std::string& name);

}  // namespace harness
