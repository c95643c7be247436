// The real program against a real Windows registry and real message boxes
// (Wine's): every box read back, the exit status, the registry afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/expected_keys.h"
#include "tests/expected_texts.h"
#include "tests/wine/harness.h"

namespace {

using namespace expected;

::testing::AssertionResult KeyPresent(const std::string& path) {
  if (harness::KeyExists(path)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "registry key HKLM\\" << path << " is missing";
}

::testing::AssertionResult KeyAbsent(const std::string& path) {
  if (!harness::KeyExists(path)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "registry key HKLM\\" << path << " is still present";
}

// Bytes as readable text for failure messages.
std::string Shown(const std::string& bytes) {
  static const char kHex[] = "0123456789abcdef";
  std::string shown;
  for (unsigned char c : bytes) {
    if (c >= 0x20 && c < 0x7F) {
      shown += static_cast<char>(c);
    } else {
      shown += "\\x";
      shown += kHex[c >> 4];
      shown += kHex[c & 15];
    }
  }
  return shown;
}

::testing::AssertionResult DefaultIs(const std::string& path, DWORD type, const std::string& bytes) {
  DWORD actualType = 0;
  std::string actual;
  if (!harness::ReadDefault(path, &actualType, &actual))
    return ::testing::AssertionFailure() << "default value of HKLM\\" << path << " is missing";
  if (actualType != type || actual != bytes)
    return ::testing::AssertionFailure()
           << "default value of HKLM\\" << path << " is type " << actualType << " \"" << Shown(actual)
           << "\", expected type " << type << " \"" << Shown(bytes) << "\"";
  return ::testing::AssertionSuccess();
}

void ClearAll() {
  for (const std::string& key : kUninstallEntries) ASSERT_TRUE(harness::DeleteTree(key));
  for (const std::string& key : kNeighbours) ASSERT_TRUE(harness::DeleteTree(key));
  ASSERT_TRUE(harness::DeleteTree(kAppPath));
}

std::string Sz(const std::string& text) { return text + std::string(1, '\0'); }

// --- Arrangements ------------------------------------------------------------

void Install(DWORD type, const std::string& bytes) {
  ASSERT_TRUE(harness::SetDefault(kAppPath, type, bytes));
  for (const std::string& key : kUninstallEntries) ASSERT_TRUE(harness::SetDefaultString(key, "Quillmere"));
  for (const std::string& key : kNeighbours) ASSERT_TRUE(harness::SetDefaultString(key, "neighbour"));
}
void Installed() { Install(REG_SZ, Sz("D:\\Tools\\Corvelin.exe")); }
void OnlyUninstallEntries() {
  Installed();
  ASSERT_TRUE(harness::DeleteTree(kAppPath));
}
void NoDefaultValue() {
  Installed();
  ASSERT_TRUE(harness::DeleteTree(kAppPath));
  ASSERT_TRUE(harness::CreateKey(kAppPath));
}
void EntryWithSubkey() {
  Installed();
  ASSERT_TRUE(harness::CreateKey(kAppPath + "\\SupportedTypes"));
}
void UninstallEntryWithSubkey() {
  Installed();
  ASSERT_TRUE(harness::CreateKey(kUninstallEntries[1] + "\\Components"));
}
void ValueTooLong() { Install(REG_SZ, Sz("C:\\" + std::string(400, 'x') + "\\Corvelin.exe")); }
void LongFolder() {
  Install(REG_SZ, Sz("C:\\" + std::string(120, 'L') + "\\" + std::string(120, 'R') + "\\Corvelin.exe"));
}
void BinaryValue() { Install(REG_BINARY, "E:\\Apps\\Corvelin.exe"); }
void DwordValue() { Install(REG_DWORD, std::string("123\0", 4)); }
void LeafSpelledInCapitals() {
  Installed();
  ASSERT_TRUE(harness::DeleteTree(kAppPath));
  ASSERT_TRUE(harness::SetDefaultString(kCurrentVersion + "\\App Paths\\CORVELIN.EXE", "F:\\Q\\CORVELIN.EXE"));
}

// --- The table -----------------------------------------------------------------

struct ExpectedBox {
  std::string text;
  std::string caption;
  std::vector<int> buttons;
};

const std::vector<int> kYesNo = {IDYES, IDNO};
const std::vector<int> kOk = {IDOK};
const ExpectedBox kConfirm{kConfirmText, kInformation, kYesNo};
const ExpectedBox kNothingFound{kNothingFoundText, kInformation, kOk};
const ExpectedBox kRemoved{kRemovedText, kSuccess, kOk};
const ExpectedBox kNotRemoved{kNotRemovedText, kError, kOk};
ExpectedBox Question(const std::string& folder) { return {QuestionText(folder), kInformation, kYesNo}; }

enum class After {
  Unchanged,      // every key and value as arranged
  Removed,        // the registration gone, the neighbours there
  EntryStays,     // nothing deleted: the application-path entry had a subkey
  OneEntryStays,  // all gone but Quillmere 2.1
};

struct Case {
  const char* name;
  void (*arrange)();
  std::string arguments;
  std::vector<int> answers;
  std::vector<ExpectedBox> boxes;
  DWORD exitStatus;
  After after;
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name; }

const std::string kLongShown = "C:\\" + std::string(95, 'L') + "..." + std::string(98, 'R');

const Case kCases[] = {
    {"DeclineTheCheck", Installed, "", {IDNO}, {kConfirm}, IDNO, After::Unchanged},
    {"NothingFoundWhileUninstallEntriesExist", OnlyUninstallEntries, "", {IDYES, IDOK},
     {kConfirm, kNothingFound}, IDOK, After::Unchanged},
    {"FullRemoval", Installed, "", {IDYES, IDYES, IDOK}, {kConfirm, Question("D:\\Tools"), kRemoved}, IDOK,
     After::Removed},
    {"DeclineTheRemoval", Installed, "", {IDYES, IDNO}, {kConfirm, Question("D:\\Tools")}, IDNO,
     After::Unchanged},
    {"NoDefaultValue", NoDefaultValue, "", {IDYES, IDYES, IDOK}, {kConfirm, Question(""), kRemoved}, IDOK,
     After::Removed},
    {"EntryWithASubkeyCannotBeDeleted", EntryWithSubkey, "", {IDYES, IDYES, IDOK},
     {kConfirm, Question("D:\\Tools"), kNotRemoved}, IDOK, After::EntryStays},
    {"UninstallEntryCannotBeDeleted", UninstallEntryWithSubkey, "", {IDYES, IDYES, IDOK},
     {kConfirm, Question("D:\\Tools"), kNotRemoved}, IDOK, After::OneEntryStays},
    {"ValueTooLongForTheBuffer", ValueTooLong, "", {IDYES, IDNO}, {kConfirm, Question("")}, IDNO,
     After::Unchanged},
    {"LongFolderIsElided", LongFolder, "", {IDYES, IDNO}, {kConfirm, Question(kLongShown)}, IDNO,
     After::Unchanged},
    {"BinaryValue", BinaryValue, "", {IDYES, IDNO}, {kConfirm, Question("E:\\Apps")}, IDNO, After::Unchanged},
    {"DwordValue", DwordValue, "", {IDYES, IDYES, IDOK}, {kConfirm, Question("123"), kRemoved}, IDOK,
     After::Removed},
    {"LeafSpelledInCapitals", LeafSpelledInCapitals, "", {IDYES, IDYES, IDOK},
     {kConfirm, Question("F:\\Q"), kRemoved}, IDOK, After::Removed},
    {"CommandLineArgumentsAreIgnored", Installed, "/S --remove /?", {IDYES, IDYES, IDOK},
     {kConfirm, Question("D:\\Tools"), kRemoved}, IDOK, After::Removed},
    {"CommandLineArgumentsAreIgnoredWhenDeclining", Installed, "-y yes", {IDNO}, {kConfirm}, IDNO,
     After::Unchanged},
};

class EndToEnd : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override { ClearAll(); }
  void TearDown() override { ClearAll(); }
};

TEST_P(EndToEnd, BoxesExitStatusAndRegistry) {
  const Case& c = GetParam();
  c.arrange();
  if (HasFatalFailure()) return;
  DWORD appType = 0;
  std::string appValue;
  const bool hadValue = harness::ReadDefault(kAppPath, &appType, &appValue);

  const harness::Run run = harness::RunScripted(c.arguments, c.answers);
  ASSERT_TRUE(run.started) << run.problem;
  EXPECT_TRUE(run.problem.empty()) << run.problem;
  EXPECT_TRUE(run.finished);
  EXPECT_EQ(run.exitStatus, c.exitStatus);

  ASSERT_EQ(run.boxes.size(), c.boxes.size());
  for (std::size_t i = 0; i < run.boxes.size(); ++i) {
    SCOPED_TRACE("box " + std::to_string(i + 1));
    const harness::Box& box = run.boxes[i];
    EXPECT_EQ(box.text, c.boxes[i].text);
    EXPECT_EQ(box.caption, c.boxes[i].caption);
    std::vector<int> ids;
    for (const harness::Button& button : box.buttons) {
      ids.push_back(button.id);
      EXPECT_EQ(harness::ButtonId(button.text), button.id) << "button labelled " << button.text;
    }
    EXPECT_EQ(ids, c.boxes[i].buttons);
  }

  for (const std::string& key : kNeighbours) EXPECT_TRUE(KeyPresent(key));
  switch (c.after) {
    case After::Unchanged:
      if (hadValue) {
        EXPECT_TRUE(DefaultIs(kAppPath, appType, appValue));
      }
      for (const std::string& key : kUninstallEntries) EXPECT_TRUE(KeyPresent(key));
      break;
    case After::Removed:
      EXPECT_TRUE(KeyAbsent(kAppPath));
      for (const std::string& key : kUninstallEntries) EXPECT_TRUE(KeyAbsent(key));
      EXPECT_TRUE(KeyPresent(kCurrentVersion + "\\App Paths"));
      EXPECT_TRUE(KeyPresent(kCurrentVersion + "\\Uninstall"));
      break;
    case After::EntryStays:
      EXPECT_TRUE(KeyPresent(kAppPath));
      for (const std::string& key : kUninstallEntries) EXPECT_TRUE(KeyPresent(key));
      break;
    case After::OneEntryStays:
      EXPECT_TRUE(KeyAbsent(kAppPath));
      EXPECT_TRUE(KeyAbsent(kUninstallEntries[0]));
      EXPECT_TRUE(KeyPresent(kUninstallEntries[1]));
      EXPECT_TRUE(KeyAbsent(kUninstallEntries[2]));
      break;
  }
}

INSTANTIATE_TEST_SUITE_P(Wine, EndToEnd, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
