// Finding the application-path entry and the folder the product was installed in.
#include <cstring>

#include "tests/host/fixture.h"

namespace {

using namespace qtest;

std::string Folder() { return std::string(InstallFolder); }

// A value's bytes as stored, and the folder the product must derive from them.
struct FolderCase {
  const char* name;
  DWORD type;
  std::string bytes;
  std::string folder;
};

void PrintTo(const FolderCase& c, std::ostream* os) { *os << c.name; }

std::string Sz(const std::string& text) { return text + std::string(1, '\0'); }

// 299 bytes without a terminator: fills the read exactly.
std::string Full299(char last) {
  std::string value(299, 'a');
  value[2] = '\\';
  value[250] = '\\';
  value[298] = last;
  return value;
}

const FolderCase kFolderCases[] = {
    {"FullProgramPath", REG_SZ, Sz("D:\\Tools\\Corvelin.exe"), "D:\\Tools"},
    {"ProgramAtDriveRoot", REG_SZ, Sz("C:\\Corvelin.exe"), "C:"},
    {"DeepPath", REG_SZ, Sz("C:\\Program Files\\Halvenor\\Quillmere\\Corvelin.exe"),
     "C:\\Program Files\\Halvenor\\Quillmere"},
    {"BareFileName", REG_SZ, Sz("Corvelin.exe"), "Corvelin.exe"},
    {"OnlyBackslashFirst", REG_SZ, Sz("\\Corvelin.exe"), "\\Corvelin.exe"},
    {"EndsInBackslash", REG_SZ, Sz("D:\\Tools\\"), "D:\\Tools"},
    {"TwoBackslashes", REG_SZ, Sz("\\\\"), "\\"},
    {"OneCharacter", REG_SZ, Sz("X"), "X"},
    {"OneBackslash", REG_SZ, Sz("\\"), "\\"},
    {"EmptyText", REG_SZ, Sz(""), ""},
    {"NoBytesAtAll", REG_SZ, "", ""},
    {"NoTerminatorStored", REG_SZ, "D:\\Tools\\Corvelin.exe", "D:\\Tools"},
    {"UncPath", REG_SZ, Sz("\\\\server\\share\\Corvelin.exe"), "\\\\server\\share"},
    {"QuotedPath", REG_SZ, Sz("\"D:\\My Tools\\Corvelin.exe\""), "\"D:\\My Tools"},
    {"ExpandableString", REG_EXPAND_SZ, Sz("%ProgramFiles%\\Quillmere\\Corvelin.exe"),
     "%ProgramFiles%\\Quillmere"},
    {"MultiStringStopsAtFirstZero", REG_MULTI_SZ, Sz("C:\\One\\a.exe") + Sz("C:\\Two\\b.exe") + Sz(""),
     "C:\\One"},
    {"BinaryWithZeroInside", REG_BINARY, std::string("C:\\A\0B\\C", 8), "C:"},
    {"DwordReadAsText", REG_DWORD, std::string("DCBA", 4), "DCBA"},
    {"DwordHoldingABackslash", REG_DWORD, std::string("\\\0\0\0", 4), "\\"},
    {"NoneTypeWithPath", REG_NONE, Sz("E:\\Q\\Corvelin.exe"), "E:\\Q"},
    {"HighBytes", REG_SZ, Sz("\xE4\xF6\\\xFC.exe"), "\xE4\xF6"},
    {"ControlCharacters", REG_SZ, Sz("\x01\x02\\\n\t"), "\x01\x02"},
    {"Exactly299NoTerminator", REG_SZ, Full299('z'), Full299('z').substr(0, 250)},
    {"Exactly299EndingInBackslash", REG_SZ, Full299('\\'), Full299('\\').substr(0, 298)},
    {"Exactly299NoBackslash", REG_BINARY, std::string(299, 'b'), std::string(299, 'b')},
    {"298CharactersAndTerminator", REG_SZ, Sz(std::string(297, 'c') + "\\"), std::string(297, 'c')},
    // Too long for the buffer: the read fails and nothing is shown.
    {"300Bytes", REG_SZ, Sz(std::string(299, 'd')), ""},
    {"4096Bytes", REG_BINARY, std::string(4096, '\\'), ""},
};

class FolderDerivation : public ProductTest, public ::testing::WithParamInterface<FolderCase> {};

TEST_P(FolderDerivation, FolderIsThePathCutAtItsLastBackslash) {
  const FolderCase& c = GetParam();
  standin::SetDefaultValue(kAppPath, c.type, c.bytes);
  ASSERT_EQ(DetectReference(), 1);
  EXPECT_EQ(Folder(), c.folder);
  EXPECT_EQ(InstallFolder[kInstallFolderSize - 1], '\0') << "the last byte must stay the terminator";
}

INSTANTIATE_TEST_SUITE_P(Values, FolderDerivation, ::testing::ValuesIn(kFolderCases),
                         [](const auto& info) { return std::string(info.param.name); });

class Detection : public ProductTest {};

TEST_F(Detection, AbsentEntryIsNotFoundAndLeavesTheFolderUntouched) {
  for (const std::string& key : kUninstallEntries) standin::SetDefaultString(key, "x");
  std::strcpy(InstallFolder, "untouched");
  EXPECT_EQ(DetectReference(), 0);
  EXPECT_EQ(Folder(), "untouched");
  EXPECT_EQ(RegistryCalls(), 1u) << "only the open was tried";
  EXPECT_EQ(standin::HandlesOpened(), 0u);
}

TEST_F(Detection, EntryWithoutDefaultValueIsFoundWithAnEmptyFolder) {
  standin::CreateKey(kAppPath);
  EXPECT_EQ(DetectReference(), 1);
  EXPECT_EQ(Folder(), "");
}

// Windows leaves the buffer undefined after a failed read; none of it may be
// shown to the user.
TEST_F(Detection, FailedReadLeavesAnEmptyFolderWhateverTheBufferHeld) {
  for (LONG failure : {ERROR_MORE_DATA, ERROR_ACCESS_DENIED, ERROR_FILE_NOT_FOUND}) {
    SCOPED_TRACE(failure);
    standin::Reset();
    standin::SetDefaultString(kAppPath, "D:\\Tools\\Corvelin.exe");
    std::memset(InstallFolder, 'J', kInstallFolderSize - 1);
    standin::FailOperation(standin::Op::QueryValue, 0, failure);
    EXPECT_EQ(DetectReference(), 1);
    EXPECT_EQ(Folder(), "");
  }
}

TEST_F(Detection, OpensForReadingOnlyReadsOnceAndClosesTheKey) {
  InstallQuillmere();
  ASSERT_EQ(DetectReference(), 1);
  const auto opens = standin::CallsOf(standin::Op::OpenKey);
  ASSERT_EQ(opens.size(), 1u);
  EXPECT_EQ(opens[0].subject, "SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\APP PATHS\\Corvelin.exe");
  EXPECT_EQ(opens[0].access, KEY_QUERY_VALUE);
  EXPECT_EQ(standin::CallsOf(standin::Op::QueryValue).size(), 1u);
  EXPECT_EQ(standin::CallsOf(standin::Op::CloseKey).size(), 1u);
  EXPECT_TRUE(standin::CallsOf(standin::Op::DeleteKey).empty()) << "detection deletes nothing";
}

TEST_F(Detection, UserWithoutWriteAccessStillFindsTheProduct) {
  InstallQuillmere();
  standin::DenyAccess(kAppPath, KEY_ALL_ACCESS & ~KEY_QUERY_VALUE);
  EXPECT_EQ(DetectReference(), 1);
  EXPECT_EQ(Folder(), "D:\\Tools");
}

TEST_F(Detection, EntryThatCannotBeReadAtAllIsNotFound) {
  InstallQuillmere();
  standin::DenyAccess(kAppPath, KEY_QUERY_VALUE);
  EXPECT_EQ(DetectReference(), 0);
  EXPECT_EQ(Folder(), "");
}

TEST_F(Detection, ReadFailureStillClosesTheKey) {
  standin::SetDefaultValue(kAppPath, REG_SZ, std::string(5000, 'x'));
  EXPECT_EQ(DetectReference(), 1);
  EXPECT_EQ(standin::HandlesOpened(), 1u);
  EXPECT_EQ(standin::CallsOf(standin::Op::CloseKey).size(), 1u);
}

}  // namespace
