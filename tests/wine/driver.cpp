// qmdriver: runs QuillmereCheck.exe for a person, or for the screenshot
// script, through the same harness as the end-to-end tests.
//
//   qmdriver seed            writes a sample Quillmere registration
//   qmdriver seed-broken     the same, but its application-path entry has a
//                            subkey, so that it cannot be deleted
//   qmdriver clear           deletes the product's keys, as on a clean machine
//   qmdriver status          tells which of the product's keys are present
//   qmdriver talk [ARGS]     runs the program and presents each box in the
//                            terminal; the button typed is pressed
//   qmdriver shots DIR ANSWER...
//                            runs the program; at each box writes DIR\box-N.ready,
//                            waits for DIR\box-N.done, then presses the next ANSWER
//                            (yes, no or ok)
#include <cstdio>
#include <cstring>
#include <string>

#include "tests/expected_keys.h"
#include "tests/wine/harness.h"

namespace {

using namespace expected;

const char kSampleProgram[] = "D:\\Tools\\Corvelin.exe";

int Seed(bool broken) {
  bool ok = harness::SetDefaultString(kAppPath, kSampleProgram);
  for (const std::string& entry : kUninstallEntries)
    ok = harness::SetDefaultString(entry, entry.substr(entry.rfind('\\') + 1)) && ok;
  if (broken) ok = harness::CreateKey(kAppPath + "\\SupportedTypes") && ok;
  std::printf("Sample Quillmere registration written: program at %s and three uninstall entries.\n",
              kSampleProgram);
  return ok ? 0 : 1;
}

int Clear() {
  bool ok = harness::DeleteTree(kAppPath);
  for (const std::string& entry : kUninstallEntries) ok = harness::DeleteTree(entry) && ok;
  return ok ? 0 : 1;
}

int Status() {
  std::printf("Quillmere's keys under HKEY_LOCAL_MACHINE\\%s:\n", kCurrentVersion.c_str());
  for (const std::string& key : {kAppPath, kUninstall20, kUninstall21, kUninstall22})
    std::printf("  %-26s %s\n", BelowCurrentVersion(key).c_str(), harness::KeyExists(key) ? "present" : "absent");
  return 0;
}

void Present(const harness::Box& box, std::size_t number) {
  std::printf("\n---- message box %zu ---- caption: \"%s\"\n", number, box.caption.c_str());
  std::printf("%s\n", box.text.c_str());
  std::printf("----");
  for (const harness::Button& button : box.buttons) std::printf(" [%s]", harness::ButtonLabel(button.text).c_str());
  std::printf("\n");
}

// Asks on the terminal until one of the box's buttons is named; 0 at the end
// of input.
int AskInTerminal(const harness::Box& box, void* context) {
  std::size_t* count = static_cast<std::size_t*>(context);
  Present(box, ++*count);
  for (;;) {
    std::printf("Press which button? ");
    std::fflush(stdout);
    char line[64];
    if (!std::fgets(line, sizeof line, stdin)) return 0;
    line[std::strcspn(line, "\r\n")] = '\0';
    const int wanted = harness::ButtonId(line);
    for (const harness::Button& button : box.buttons)
      if (button.id == wanted) return wanted;
    std::printf("This box has no such button.\n");
  }
}

int Talk(int argc, char** argv) {
  std::string arguments;
  for (int i = 2; i < argc; ++i) arguments += std::string(i > 2 ? " " : "") + argv[i];
  std::size_t count = 0;
  const harness::Run run = harness::RunProgram(harness::ProgramPath(), arguments, AskInTerminal, &count,
                                               INFINITE);
  if (!run.problem.empty()) {
    std::printf("\nThe run did not finish: %s\n", run.problem.c_str());
    return 1;
  }
  std::printf("\nQuillmereCheck.exe ended with exit status %lu.\n", run.exitStatus);
  return 0;
}

struct Shots {
  std::string dir;
  char** answers;
  int count;
  int next;
};

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

int AnswerAfterShot(const harness::Box& box, void* context) {
  Shots* shots = static_cast<Shots*>(context);
  if (shots->next >= shots->count) return 0;
  const std::string stem = shots->dir + "\\box-" + std::to_string(shots->next + 1);
  // Pictured as the user sees it, with an active title bar, even where the
  // driver's desktop kept the focus.
  SetForegroundWindow(box.window);
  SendMessageA(box.window, WM_NCACTIVATE, TRUE, 0);
  Sleep(200);
  FILE* ready = std::fopen((stem + ".ready").c_str(), "w");
  if (!ready) return 0;
  std::fprintf(ready, "%s\n", box.caption.c_str());
  std::fclose(ready);
  for (int waited = 0; !FileExists(stem + ".done"); waited += 100) {
    if (waited > 60000) return 0;
    Sleep(100);
  }
  return harness::ButtonId(shots->answers[shots->next++]);
}

int TakeShots(int argc, char** argv) {
  if (argc < 4) return 2;
  Shots shots = {argv[2], argv + 3, argc - 3, 0};
  const harness::Run run = harness::RunProgram(harness::ProgramPath(), "", AnswerAfterShot, &shots, 120000);
  if (!run.problem.empty()) std::fprintf(stderr, "qmdriver: %s\n", run.problem.c_str());
  return run.problem.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string command = argc > 1 ? argv[1] : "";
  if (command == "seed") return Seed(false);
  if (command == "seed-broken") return Seed(true);
  if (command == "clear") return Clear();
  if (command == "status") return Status();
  if (command == "talk") return Talk(argc, argv);
  if (command == "shots") return TakeShots(argc, argv);
  std::fprintf(stderr, "usage: qmdriver seed|seed-broken|clear|status|talk [ARGS]|shots DIR ANSWER...\n");
  return 2;
}
