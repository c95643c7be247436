// The whole program as the platform runs it: WinMain, the boxes the user sees
// and answers, what happens to the registry, and the exit status.
#include "tests/host/fixture.h"

namespace {

using namespace qtest;

struct ExpectedBox {
  std::string text;
  std::string caption;
  UINT style;
};

const ExpectedBox kConfirm{kConfirmText, kInformation, MB_YESNO};
const ExpectedBox kNothingFound{kNothingFoundText, kInformation, MB_OK};
const ExpectedBox kRemoved{kRemovedText, kSuccess, MB_OK};
const ExpectedBox kNotRemoved{kNotRemovedText, kError, MB_OK};
ExpectedBox Question(const std::string& folder) { return {QuestionText(folder), kInformation, MB_YESNO}; }

enum class Registry {
  Untouched,        // no registry call at all
  ReadOnly,         // read, nothing deleted
  Removed,          // application-path entry and all uninstall entries gone
  AttemptedNotAll,  // deletes were tried, but the registration is not all gone
};

struct ConversationCase {
  const char* name;
  void (*arrange)();
  std::vector<int> answers;
  std::vector<ExpectedBox> boxes;
  int exitStatus;
  Registry registry;
};

void PrintTo(const ConversationCase& c, std::ostream* os) { *os << c.name; }

void Installed() { InstallQuillmere(); }
void OnlyUninstallEntries() {
  for (const std::string& key : kUninstallEntries) standin::SetDefaultString(key, "Quillmere");
}
void NothingAtAll() {}
void NoDefaultValue() {
  standin::CreateKey(kAppPath);
  for (const std::string& key : kUninstallEntries) standin::CreateKey(key);
  for (const std::string& key : kNeighbours) standin::CreateKey(key);
}
void EntryWithSubkey() {
  InstallQuillmere();
  standin::CreateKey(kAppPath + "\\SupportedTypes");
}
void UninstallEntryStuck() {
  InstallQuillmere();
  standin::RefuseDelete(kUninstall21);
}
void UserWithoutAdminRights() {
  InstallQuillmere();
  const REGSAM allButReading = KEY_ALL_ACCESS & ~(KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY | READ_CONTROL);
  standin::DenyAccess(kCurrentVersion, allButReading);
  standin::DenyAccess(kAppPath, allButReading);
}
void ValueTooLong() {
  InstallQuillmere();
  standin::SetDefaultString(kAppPath, std::string(400, 'x'));
}
void LongFolder() {
  InstallQuillmere(std::string(120, 'L') + "\\" + std::string(120, 'R') + "\\Corvelin.exe");
}
void DwordValue() {
  InstallQuillmere();
  standin::SetDefaultValue(kAppPath, REG_DWORD, std::string("\x31\x00\x00\x00", 4));
}

const std::string kLongShown = std::string(98, 'L') + "..." + std::string(98, 'R');

const ConversationCase kCases[] = {
    {"DeclineTheCheck", Installed, {IDNO}, {kConfirm}, IDNO, Registry::Untouched},
    {"FirstBoxCannotBeShown", Installed, {0}, {kConfirm}, 0, Registry::Untouched},
    {"NothingFoundWhileUninstallEntriesExist", OnlyUninstallEntries, {IDYES, IDOK},
     {kConfirm, kNothingFound}, IDOK, Registry::ReadOnly},
    {"NothingFoundOnACleanMachine", NothingAtAll, {IDYES, IDOK}, {kConfirm, kNothingFound}, IDOK,
     Registry::ReadOnly},
    {"DeclineTheRemoval", Installed, {IDYES, IDNO}, {kConfirm, Question("D:\\Tools")}, IDNO,
     Registry::ReadOnly},
    {"QuestionCannotBeShown", Installed, {IDYES, 0}, {kConfirm, Question("D:\\Tools")}, 0,
     Registry::ReadOnly},
    {"FullRemoval", Installed, {IDYES, IDYES, IDOK}, {kConfirm, Question("D:\\Tools"), kRemoved}, IDOK,
     Registry::Removed},
    {"OutcomeBoxCannotBeShown", Installed, {IDYES, IDYES, 0}, {kConfirm, Question("D:\\Tools"), kRemoved},
     0, Registry::Removed},
    {"NoDefaultValue", NoDefaultValue, {IDYES, IDYES, IDOK}, {kConfirm, Question(""), kRemoved}, IDOK,
     Registry::Removed},
    {"EntryWithASubkey", EntryWithSubkey, {IDYES, IDYES, IDOK},
     {kConfirm, Question("D:\\Tools"), kNotRemoved}, IDOK, Registry::AttemptedNotAll},
    {"UninstallEntryStuck", UninstallEntryStuck, {IDYES, IDYES, IDOK},
     {kConfirm, Question("D:\\Tools"), kNotRemoved}, IDOK, Registry::AttemptedNotAll},
    {"UserWithoutAdminRights", UserWithoutAdminRights, {IDYES, IDYES, IDOK},
     {kConfirm, Question("D:\\Tools"), kNotRemoved}, IDOK, Registry::AttemptedNotAll},
    {"ValueTooLongForTheBuffer", ValueTooLong, {IDYES, IDYES, IDOK}, {kConfirm, Question(""), kRemoved},
     IDOK, Registry::Removed},
    {"LongFolderIsElided", LongFolder, {IDYES, IDYES, IDOK}, {kConfirm, Question(kLongShown), kRemoved},
     IDOK, Registry::Removed},
    {"ValueOfAnotherType", DwordValue, {IDYES, IDNO}, {kConfirm, Question("1")}, IDNO, Registry::ReadOnly},
};

class Conversation : public ProductTest, public ::testing::WithParamInterface<ConversationCase> {};

TEST_P(Conversation, ShowsTheBoxesChangesTheRegistryAndExitsWithTheLastButton) {
  const ConversationCase& c = GetParam();
  c.arrange();
  const std::vector<std::string> keysBefore = standin::AllKeys();
  const std::size_t callsBefore = standin::Calls().size();
  standin::ScriptAnswers(c.answers);

  EXPECT_EQ(WinMain(nullptr, nullptr, const_cast<char*>(""), 1), c.exitStatus);

  const auto& boxes = standin::Boxes();
  ASSERT_EQ(boxes.size(), c.boxes.size());
  for (std::size_t i = 0; i < boxes.size(); ++i) {
    SCOPED_TRACE("box " + std::to_string(i + 1));
    EXPECT_EQ(boxes[i].text, c.boxes[i].text);
    EXPECT_EQ(boxes[i].caption, c.boxes[i].caption);
    EXPECT_EQ(boxes[i].style, c.boxes[i].style);
    EXPECT_FALSE(boxes[i].hasOwner);
  }

  const std::size_t registryCalls = standin::Calls().size() - callsBefore - boxes.size();
  const auto deletes = standin::CallsOf(standin::Op::DeleteKey);
  switch (c.registry) {
    case Registry::Untouched:
      EXPECT_EQ(registryCalls, 0u) << "the registry may not be read before the user agrees";
      EXPECT_EQ(standin::AllKeys(), keysBefore);
      break;
    case Registry::ReadOnly:
      EXPECT_GT(registryCalls, 0u);
      EXPECT_TRUE(deletes.empty()) << "nothing may be deleted without consent";
      EXPECT_EQ(standin::AllKeys(), keysBefore);
      break;
    case Registry::Removed:
      EXPECT_TRUE(KeyAbsent(kAppPath));
      for (const std::string& key : kUninstallEntries) EXPECT_TRUE(KeyAbsent(key));
      for (const std::string& key : kNeighbours) EXPECT_TRUE(KeyPresent(key));
      break;
    case Registry::AttemptedNotAll: {
      bool registrationLeft = standin::KeyExists(kAppPath);
      for (const std::string& key : kUninstallEntries) registrationLeft |= standin::KeyExists(key);
      EXPECT_TRUE(registrationLeft) << "an error was reported although nothing is left";
      for (const std::string& key : kNeighbours) EXPECT_TRUE(KeyPresent(key));
      break;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, Conversation, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// One full run, call by call: the order in which the product talks to the
// platform, with the access asked for at each open.
TEST_F(ProductTest, FullRemovalMakesExactlyTheseCalls) {
  InstallQuillmere();
  standin::ScriptAnswers({IDYES, IDYES, IDOK});
  ASSERT_EQ(WinMain(nullptr, nullptr, const_cast<char*>(""), 1), IDOK);

  std::vector<std::string> trace;
  for (const standin::Call& call : standin::Calls()) {
    std::string line = standin::OpName(call.op);
    if (call.op == standin::Op::OpenKey) line += " " + call.subject + " access=" + std::to_string(call.access);
    if (call.op == standin::Op::DeleteKey) line += " " + call.subject;
    trace.push_back(line + " -> " + std::to_string(call.result));
  }
  const std::vector<std::string> expected = {
      "MessageBoxA -> 6",
      "RegOpenKeyExA SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\APP PATHS\\Corvelin.exe access=1 -> 0",
      "RegQueryValueExA -> 0",
      "RegCloseKey -> 0",
      "MessageBoxA -> 6",
      "RegOpenKeyExA SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION access=983103 -> 0",
      "RegDeleteKeyA SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\APP PATHS\\Corvelin.exe -> 0",
      "RegDeleteKeyA SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UNINSTALL\\Quillmere 2.0 -> 0",
      "RegDeleteKeyA SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UNINSTALL\\Quillmere 2.1 -> 0",
      "RegDeleteKeyA SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UNINSTALL\\Quillmere 2.2 -> 0",
      "RegCloseKey -> 0",
      "MessageBoxA -> 1",
  };
  EXPECT_EQ(trace, expected);
}

TEST_F(ProductTest, CommandLineArgumentsChangeNothing) {
  const char* commandLines[] = {"", "/?", "/S /remove", "--help -y", "D:\\Tools\\Corvelin.exe",
                                "\"quoted arg\" %s%n"};
  for (const char* commandLine : commandLines) {
    SCOPED_TRACE(commandLine);
    standin::Reset();
    InstallQuillmere();
    standin::ScriptAnswers({IDYES, IDYES, IDOK});
    std::string args(commandLine);
    EXPECT_EQ(WinMain(nullptr, nullptr, args.data(), 0), IDOK);
    ASSERT_EQ(standin::Boxes().size(), 3u);
    EXPECT_EQ(standin::Boxes()[1].text, QuestionText("D:\\Tools"));
    EXPECT_EQ(standin::Boxes()[2].caption, kSuccess);
    EXPECT_TRUE(KeyAbsent(kAppPath));
  }
}

}  // namespace
