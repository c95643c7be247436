// Deleting the registration: what goes, in which order, and what counts as done.
#include "tests/host/fixture.h"

namespace {

using namespace qtest;

const std::string kParentAsAsked = "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION";
// The deletes as the product names them: relative to the parent it opened.
const std::vector<std::string> kAllDeletes = {
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\APP PATHS\\Corvelin.exe",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UNINSTALL\\Quillmere 2.0",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UNINSTALL\\Quillmere 2.1",
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\UNINSTALL\\Quillmere 2.2",
};

class Removal : public ProductTest {};

TEST_F(Removal, DeletesTheEntryThenTheUninstallEntriesInOrderAndLeavesNeighbours) {
  InstallQuillmere();
  EXPECT_EQ(RemoveReferences(), 1);
  EXPECT_EQ(SubjectsOf(standin::Op::DeleteKey), kAllDeletes);
  EXPECT_TRUE(KeyAbsent(kAppPath));
  for (const std::string& key : kUninstallEntries) EXPECT_TRUE(KeyAbsent(key));
  for (const std::string& key : kNeighbours) EXPECT_TRUE(KeyPresent(key));
  EXPECT_TRUE(KeyPresent(kCurrentVersion + "\\Uninstall"));
  EXPECT_TRUE(KeyPresent(kCurrentVersion + "\\App Paths"));
}

TEST_F(Removal, OpensTheParentWithFullAccessOnceAndClosesIt) {
  InstallQuillmere();
  RemoveReferences();
  const auto opens = standin::CallsOf(standin::Op::OpenKey);
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_EQ(opens[0].subject, kParentAsAsked);
  EXPECT_EQ(opens[0].access, KEY_ALL_ACCESS);
  EXPECT_EQ(standin::CallsOf(standin::Op::CloseKey).size(), 1u);
  EXPECT_EQ(standin::Calls().back().op, standin::Op::CloseKey) << "closed after the last delete";
}

TEST_F(Removal, SucceedsWhenNoUninstallEntryExists) {
  standin::SetDefaultString(kAppPath, "D:\\Tools\\Corvelin.exe");
  EXPECT_EQ(RemoveReferences(), 1);
  EXPECT_EQ(SubjectsOf(standin::Op::DeleteKey), kAllDeletes) << "every entry is still tried";
  EXPECT_TRUE(KeyAbsent(kAppPath));
}

TEST_F(Removal, SucceedsWhenSomeUninstallEntriesAreAbsent) {
  InstallQuillmere();
  ASSERT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstall21.c_str()), ERROR_SUCCESS);
  EXPECT_EQ(RemoveReferences(), 1);
  for (const std::string& key : kUninstallEntries) EXPECT_TRUE(KeyAbsent(key));
}

// The application-path entry decides: while it stays, nothing else is touched.
struct DecidingCase {
  const char* name;
  void (*arrange)();
};

void PrintTo(const DecidingCase& c, std::ostream* os) { *os << c.name; }

const DecidingCase kDecidingCases[] = {
    {"EntryAlreadyGone", [] { standin::CreateKey(kAppPath); RegDeleteKeyA(HKEY_LOCAL_MACHINE, kAppPath.c_str()); }},
    {"EntryHasASubkey", [] { standin::CreateKey(kAppPath + "\\SupportedTypes"); }},
    {"EntryIsProtected", [] { standin::RefuseDelete(kAppPath); }},
    {"DeleteFails", [] { standin::FailOperation(standin::Op::DeleteKey, 0, ERROR_ACCESS_DENIED); }},
};

class DecidingEntry : public ProductTest, public ::testing::WithParamInterface<DecidingCase> {};

TEST_P(DecidingEntry, StaysSoRemovalFailsAndUninstallEntriesAreUntouched) {
  InstallQuillmere();
  GetParam().arrange();
  const std::size_t deletesBefore = standin::CallsOf(standin::Op::DeleteKey).size();
  EXPECT_EQ(RemoveReferences(), 0);
  EXPECT_EQ(standin::CallsOf(standin::Op::DeleteKey).size(), deletesBefore + 1)
      << "no uninstall entry may be tried";
  for (const std::string& key : kUninstallEntries) EXPECT_TRUE(KeyPresent(key));
  EXPECT_EQ(standin::Calls().back().op, standin::Op::CloseKey);
}

INSTANTIATE_TEST_SUITE_P(Cases, DecidingEntry, ::testing::ValuesIn(kDecidingCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Removal, ParentThatCannotBeOpenedMeansNothingIsDeleted) {
  InstallQuillmere();
  standin::DenyAccess(kCurrentVersion, KEY_ALL_ACCESS & ~KEY_QUERY_VALUE);
  EXPECT_EQ(RemoveReferences(), 0);
  EXPECT_TRUE(standin::CallsOf(standin::Op::DeleteKey).empty());
  EXPECT_TRUE(KeyPresent(kAppPath));
}

// An uninstall entry that exists but stays is a failure; the others are still
// deleted, so as little as possible is left behind.
TEST_F(Removal, UninstallEntryThatStaysIsAFailureButTheOthersStillGo) {
  for (std::size_t stuck = 0; stuck < kUninstallEntries.size(); ++stuck) {
    SCOPED_TRACE(kUninstallEntries[stuck]);
    standin::Reset();
    InstallQuillmere();
    standin::RefuseDelete(kUninstallEntries[stuck]);
    EXPECT_EQ(RemoveReferences(), 0);
    EXPECT_EQ(SubjectsOf(standin::Op::DeleteKey), kAllDeletes);
    EXPECT_TRUE(KeyAbsent(kAppPath));
    for (std::size_t i = 0; i < kUninstallEntries.size(); ++i) {
      if (i == stuck) EXPECT_TRUE(KeyPresent(kUninstallEntries[i]));
      else EXPECT_TRUE(KeyAbsent(kUninstallEntries[i]));
    }
    EXPECT_EQ(standin::HandlesStillOpen(), 0u);
  }
}

TEST_F(Removal, UninstallEntryWithASubkeyStaysAndIsAFailure) {
  InstallQuillmere();
  standin::CreateKey(kUninstall22 + "\\Components");
  EXPECT_EQ(RemoveReferences(), 0);
  EXPECT_TRUE(KeyPresent(kUninstall22));
  EXPECT_TRUE(KeyAbsent(kUninstall20));
}

TEST_F(Removal, UninstallEntryMissingOnlyWhenTheRegistrySaysNotFound) {
  struct Outcome { LONG failure; int result; };
  for (const Outcome& o : {Outcome{ERROR_FILE_NOT_FOUND, 1}, Outcome{ERROR_ACCESS_DENIED, 0},
                           Outcome{ERROR_INVALID_HANDLE, 0}, Outcome{standin::ERROR_KEY_DELETED, 0}}) {
    SCOPED_TRACE(o.failure);
    standin::Reset();
    InstallQuillmere();
    standin::FailOperation(standin::Op::DeleteKey, 2, o.failure);
    EXPECT_EQ(RemoveReferences(), o.result);
  }
}

}  // namespace
