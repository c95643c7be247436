// Every platform call of every path of the conversation made to fail, alone
// and in every combination. Whatever fails, the program must stay safe and
// truthful.
#include <set>

#include "tests/host/fixture.h"

namespace {

using namespace qtest;

struct Path {
  const char* name;
  void (*arrange)();
  std::vector<int> answers;
};

void Installed() { InstallQuillmere(); }
void OnlySomeUninstallEntries() {
  standin::SetDefaultString(kAppPath, "D:\\Tools\\Corvelin.exe");
  standin::SetDefaultString(kUninstall21, "Quillmere");
}
void NotInstalled() {
  for (const std::string& key : kUninstallEntries) standin::SetDefaultString(key, "Quillmere");
}

const Path kPaths[] = {
    {"DeclineTheCheck", Installed, {IDNO}},
    {"NothingFound", NotInstalled, {IDYES, IDOK}},
    {"DeclineTheRemoval", Installed, {IDYES, IDNO}},
    {"FullRemoval", Installed, {IDYES, IDYES, IDOK}},
    {"RemovalWithSomeEntriesAbsent", OnlySomeUninstallEntries, {IDYES, IDYES, IDOK}},
};

// Starts the program on a path, with the calls whose ordinals are set in
// `failing` made to fail; returns its exit status. `presentBefore` receives
// the keys that existed when it started.
int RunPath(const Path& path, unsigned failing, std::vector<std::string>* presentBefore) {
  standin::Reset();
  path.arrange();
  *presentBefore = standin::AllKeys();
  standin::ScriptAnswers(path.answers);
  for (std::size_t i = 0; i < 32; ++i)
    if (failing & (1u << i)) standin::FailCall(i, ERROR_ACCESS_DENIED);
  return WinMain(nullptr, nullptr, const_cast<char*>(""), 0);
}

std::string Folded(const std::string& key) {
  std::string folded(key);
  for (char& c : folded) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return folded;
}

// One of the three uninstall entries the program may delete; a look-alike
// such as "Quillmere 2.3" is not.
bool IsUninstallEntry(const std::string& key) {
  for (const std::string& entry : kUninstallEntries)
    if (Folded(entry) == Folded(key)) return true;
  return false;
}

bool IsRegistration(const std::string& key) { return Folded(key) == Folded(kAppPath) || IsUninstallEntry(key); }

// Checks one run; returns a description of what went wrong, empty if nothing.
std::string Violation(int exitStatus, const std::vector<std::string>& presentBefore) {
  const auto& calls = standin::Calls();
  if (standin::HandlesStillOpen() != 0) return "a registry key was left open";

  // Exit status: the result of the last box.
  std::vector<standin::Call> boxes = standin::CallsOf(standin::Op::MessageBox);
  if (boxes.empty()) return "no box at all";
  if (calls.back().op != standin::Op::MessageBox) return "the run did not end at a box";
  if (exitStatus != boxes.back().result) return "exit status is not the last box's button";

  // No box twice, no call repeated.
  std::set<std::string> texts;
  for (const standin::Call& box : boxes)
    if (!texts.insert(box.subject).second) return "box shown twice: " + box.subject;
  std::set<std::string> opened, deleted;
  std::size_t queries = 0;
  for (const standin::Call& call : calls) {
    if (call.op == standin::Op::OpenKey && !opened.insert(call.subject).second) return "key opened twice";
    if (call.op == standin::Op::DeleteKey && !deleted.insert(call.subject).second) return "key deleted twice";
    if (call.op == standin::Op::QueryValue) ++queries;
  }
  if (queries > 1) return "value read twice";

  // Consent: a delete only after Yes to both questions.
  const auto deletes = standin::CallsOf(standin::Op::DeleteKey);
  if (!deletes.empty() && (boxes.size() < 2 || boxes[0].result != IDYES || boxes[1].result != IDYES))
    return "deleted without the user's consent";

  // Order: the application-path entry first; uninstall entries only once it went.
  if (!deletes.empty()) {
    if (IsUninstallEntry(deletes[0].subject)) return "an uninstall entry went first";
    if (deletes[0].result != ERROR_SUCCESS && deletes.size() > 1)
      return "uninstall entries touched although the application-path entry stayed";
  }

  // The outcome shown is true to the registry afterwards.
  bool registrationLeft = standin::KeyExists(kAppPath);
  for (const std::string& key : kUninstallEntries) registrationLeft |= standin::KeyExists(key);
  const std::string& last = boxes.back().subject;
  if (last == kRemovedText && registrationLeft) return "reported removed, but a key is left";
  bool anyFailure = false;
  for (const standin::Call& call : calls)
    if (call.op != standin::Op::MessageBox && call.result != ERROR_SUCCESS &&
        !(call.op == standin::Op::DeleteKey && call.result == ERROR_FILE_NOT_FOUND))
      anyFailure = true;
  if (last == kNotRemovedText && !registrationLeft && !anyFailure)
    return "reported not removed, although everything went and nothing failed";

  // Neighbours and anything unrelated stay.
  for (const std::string& key : presentBefore) {
    if (IsRegistration(key)) continue;
    if (!standin::KeyExists(key)) return "unrelated key deleted: " + key;
  }
  return "";
}

TEST(FaultSweep, EveryCombinationOfFailuresOnEveryPathIsSafeAndTruthful) {
  std::size_t runs = 0;
  for (const Path& path : kPaths) {
    std::vector<std::string> presentBefore;
    RunPath(path, 0, &presentBefore);
    const std::size_t calls = standin::Calls().size();  // when nothing fails
    ASSERT_LE(calls, 16u) << path.name << ": too many calls to enumerate every combination";
    for (unsigned mask = 0; mask < (1u << calls); ++mask) {
      const int exitStatus = RunPath(path, mask, &presentBefore);
      const std::string violation = Violation(exitStatus, presentBefore);
      ASSERT_EQ(violation, "") << path.name << " with failing calls mask " << mask;
      ++runs;
    }
  }
  // Five paths of 1, 3, 5, 12 and 12 calls, boxes included.
  EXPECT_EQ(runs, 2u + 8 + 32 + 4096 + 4096);
}

// The same sweep must notice a program that lies; a planted lie proves it.
TEST(FaultSweep, NoticesAReportThatIsNotTrue) {
  standin::Reset();
  InstallQuillmere();
  standin::RefuseDelete(kUninstall22);
  const std::vector<std::string> before = standin::AllKeys();
  standin::ScriptAnswers({IDYES, IDYES, IDOK});
  const int status = WinMain(nullptr, nullptr, const_cast<char*>(""), 0);
  EXPECT_EQ(Violation(status, before), "");
  // Had the program shown "removed" here, the check would have caught it.
  MessageBoxA(nullptr, kRemovedText.c_str(), kSuccess.c_str(), MB_OK);
  EXPECT_NE(Violation(IDOK, before), "");
}

// ... and one that takes a look-alike of the registration with it.
TEST(FaultSweep, NoticesALookAlikeDeleted) {
  for (const std::string& lookAlike : kNeighbours) {
    SCOPED_TRACE(lookAlike);
    standin::Reset();
    InstallQuillmere();
    const std::vector<std::string> before = standin::AllKeys();
    standin::ScriptAnswers({IDYES, IDYES, IDOK});
    const int status = WinMain(nullptr, nullptr, const_cast<char*>(""), 0);
    EXPECT_EQ(Violation(status, before), "");
    standin::RemoveKey(lookAlike);
    EXPECT_EQ(Violation(status, before), "unrelated key deleted: " + lookAlike);
  }
}

}  // namespace
