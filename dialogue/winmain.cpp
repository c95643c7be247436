// The program: a short conversation of system message boxes around the
// detection and removal of Quillmere's registration. The exit status is the
// button that closed the last box.
#include "dialogue/catalogue.h"
#include "dialogue/question.h"
#include "platform/platform.h"
#include "registration/registration.h"

namespace {

int Show(const char* text, const char* caption, UINT buttons) {
  return MessageBoxA(nullptr, text, caption, buttons);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace catalogue;
  int answer = Show(kConfirm, kInformation, MB_YESNO);
  if (answer != IDYES) return answer;

  if (!DetectReference()) return Show(kNothingFound, kInformation, MB_OK);

  char question[kQuestionSize];
  ComposeQuestion(InstallFolder, question);
  answer = Show(question, kInformation, MB_YESNO);
  if (answer != IDYES) return answer;

  if (RemoveReferences()) return Show(kRemoved, kSuccess, MB_OK);
  return Show(kNotRemoved, kError, MB_OK);
}
