// Arbitrary default values, of any type and length, through detection, the
// composition of the question and the whole conversation.
//
// Input: the first byte is the value's registry type, the rest its bytes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "dialogue/question.h"
#include "platform/standin/standin.h"
#include "registration/registration.h"
#include "tests/expected_keys.h"
#include "tests/expected_texts.h"

namespace {

using expected::kAppPath;

void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "detect_fuzz: %s\n", what);
    std::abort();
  }
}

// What InstallFolder must hold: the value's text up to its first zero, cut
// at its last backslash unless that is the first character; nothing when the
// value does not fit the 299 bytes offered.
std::string ExpectedFolder(const std::string& value) {
  if (value.size() > kInstallFolderSize - 1) return "";
  const std::string text = value.substr(0, value.find('\0'));
  const std::size_t cut = text.find_last_of('\\');
  return cut != std::string::npos && cut >= 1 ? text.substr(0, cut) : text;
}

void StartProcess(std::uint8_t type, const std::string& value) {
  standin::Reset();
  std::memset(InstallFolder, 0, sizeof InstallFolder);
  standin::SetDefaultValue(kAppPath, type, value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t type = data[0];
  const std::string value(reinterpret_cast<const char*>(data) + 1, size - 1);

  StartProcess(type, value);
  Require(DetectReference() == 1, "an existing entry was not found");
  Require(std::memchr(InstallFolder, 0, kInstallFolderSize) != nullptr, "InstallFolder not terminated");
  Require(ExpectedFolder(value) == InstallFolder, "InstallFolder is not the value's folder");
  Require(standin::HandlesStillOpen() == 0, "detection left a key open");

  char question[kQuestionSize];
  std::memset(question, 0x5A, sizeof question);
  ComposeQuestion(InstallFolder, question);
  const char* end = static_cast<const char*>(std::memchr(question, 0, sizeof question));
  Require(end != nullptr, "question not terminated within its buffer");
  const std::string text(question, static_cast<std::size_t>(end - question));
  const std::string empty = expected::QuestionText("");
  const std::string before = empty.substr(0, std::strlen("A reference to "));
  const std::string after = empty.substr(before.size());
  Require(text.compare(0, before.size(), before) == 0, "question does not begin as it should");
  Require(text.size() >= empty.size() &&
              text.compare(text.size() - after.size(), after.size(), after) == 0,
          "question does not end with the whole consent text");
  if (std::strlen(InstallFolder) <= 199)
    Require(text == expected::QuestionText(InstallFolder), "a folder that fits is not shown whole");

  // The whole program, as a user who agrees to everything.
  StartProcess(type, value);
  standin::ScriptAnswers({IDYES, IDYES, IDOK});
  Require(WinMain(nullptr, nullptr, const_cast<char*>(""), 0) == IDOK, "the run did not end at OK");
  Require(standin::Boxes().size() == 3 && standin::Boxes()[1].text == text,
          "the question shown differs from the one composed");
  Require(!standin::KeyExists(kAppPath), "the application-path entry survived its removal");
  Require(standin::HandlesStillOpen() == 0, "the run left a key open");
  return 0;
}
