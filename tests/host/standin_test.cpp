// The stand-in must behave like the Windows registry where the product can
// tell; otherwise every other host test proves nothing.
#include <cstring>

#include "tests/host/fixture.h"

namespace {

using qtest::ProductTest;

class StandinTest : public ProductTest {};

TEST_F(StandinTest, KeyNamesAreComparedWithoutRegardToCase) {
  standin::CreateKey("SOFTWARE\\Microsoft\\Windows");
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\MICROSOFT\\wInDoWs", 0, KEY_QUERY_VALUE, &key),
            ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_TRUE(standin::KeyExists("SOFTWARE\\MICROSOFT\\WINDOWS"));
}

TEST_F(StandinTest, OpeningAnAbsentOrMalformedPathFails) {
  standin::CreateKey("SOFTWARE\\A");
  HKEY key;
  for (const char* path : {"SOFTWARE\\B", "SOFTWARE\\A\\", "\\SOFTWARE\\A", "SOFTWARE\\\\A"}) {
    EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_QUERY_VALUE, &key), ERROR_FILE_NOT_FOUND)
        << path;
  }
  EXPECT_EQ(standin::HandlesOpened(), 0u);
}

TEST_F(StandinTest, DeniedAccessBitsRefuseTheOpenButOthersSucceed) {
  standin::DenyAccess("K", KEY_ALL_ACCESS & ~KEY_QUERY_VALUE);
  HKEY key;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "K", 0, KEY_ALL_ACCESS, &key), ERROR_ACCESS_DENIED);
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "K", 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST_F(StandinTest, ReadWritesAtMostTheOfferedSizeAndReportsATooSmallBuffer) {
  standin::SetDefaultValue("K", REG_BINARY, std::string(10, 'v'));
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "K", 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  char buffer[16];
  std::memset(buffer, '#', sizeof buffer);
  DWORD size = 4;
  EXPECT_EQ(RegQueryValueExA(key, "", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(size, 10u) << "a too-small buffer reports the size needed";
  EXPECT_EQ(std::string(buffer + 4, 12), std::string(12, '#')) << "wrote past the offered size";

  size = 10;
  DWORD type = 0;
  EXPECT_EQ(RegQueryValueExA(key, "", nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size),
            ERROR_SUCCESS);
  EXPECT_EQ(type, REG_BINARY);
  EXPECT_EQ(std::string(buffer, 11), std::string(10, 'v') + "#") << "raw bytes, no terminator added";
  RegCloseKey(key);
}

TEST_F(StandinTest, ReadNeedsQueryAccessAndADefaultValue) {
  standin::CreateKey("K");
  HKEY key;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "K", 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
  char buffer[8];
  DWORD size = sizeof buffer;
  EXPECT_EQ(RegQueryValueExA(key, "", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size),
            ERROR_FILE_NOT_FOUND);
  RegCloseKey(key);

  standin::SetDefaultString("K", "x");
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "K", 0, KEY_ENUMERATE_SUB_KEYS, &key), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExA(key, "", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer), &size),
            ERROR_ACCESS_DENIED);
  RegCloseKey(key);
}

TEST_F(StandinTest, DeleteRefusesAKeyWithSubkeysAnAbsentKeyAndAProtectedKey) {
  standin::CreateKey("P\\Child\\Grandchild");
  standin::RefuseDelete("P\\Protected");
  HKEY parent;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "P", 0, KEY_ALL_ACCESS, &parent), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyA(parent, "CHILD"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyA(parent, "Absent"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteKeyA(parent, "Protected"), ERROR_ACCESS_DENIED);
  EXPECT_TRUE(standin::KeyExists("P\\Protected"));
  EXPECT_EQ(RegDeleteKeyA(parent, "child\\grandchild"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyA(parent, "Child"), ERROR_SUCCESS);
  EXPECT_FALSE(standin::KeyExists("P\\Child"));
  RegCloseKey(parent);
}

TEST_F(StandinTest, HandlesAreCountedAndAClosedHandleIsInvalid) {
  standin::CreateKey("K");
  HKEY a, b;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "K", 0, KEY_QUERY_VALUE, &a), ERROR_SUCCESS);
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "K", 0, KEY_QUERY_VALUE, &b), ERROR_SUCCESS);
  EXPECT_NE(a, b);
  EXPECT_EQ(standin::HandlesStillOpen(), 2u);
  EXPECT_EQ(RegCloseKey(a), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(a), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegCloseKey(b), ERROR_SUCCESS);
  EXPECT_EQ(standin::HandlesOpened(), 2u);
  EXPECT_EQ(standin::HandlesStillOpen(), 0u);
}

TEST_F(StandinTest, PlantedFaultsHitTheNamedCallOnlyAndHaveNoEffect) {
  standin::CreateKey("P\\C");
  standin::FailOperation(standin::Op::DeleteKey, 0, ERROR_ACCESS_DENIED);
  standin::FailCall(0, ERROR_FILE_NOT_FOUND);
  HKEY parent;
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "P", 0, KEY_ALL_ACCESS, &parent), ERROR_FILE_NOT_FOUND);
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "P", 0, KEY_ALL_ACCESS, &parent), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyA(parent, "C"), ERROR_ACCESS_DENIED);
  EXPECT_TRUE(standin::KeyExists("P\\C"));
  EXPECT_EQ(RegDeleteKeyA(parent, "C"), ERROR_SUCCESS);
  RegCloseKey(parent);
}

TEST_F(StandinTest, MessageBoxAnswersFromTheScriptAndRecordsEachBox) {
  standin::ScriptAnswers({IDYES});
  EXPECT_EQ(MessageBoxA(nullptr, "t1", "c1", MB_YESNO), IDYES);
  EXPECT_EQ(MessageBoxA(nullptr, "t2", "c2", MB_OK), 0) << "past the script: as a box that failed";
  ASSERT_EQ(standin::Boxes().size(), 2u);
  EXPECT_EQ(standin::Boxes()[0].text, "t1");
  EXPECT_EQ(standin::Boxes()[0].caption, "c1");
  EXPECT_EQ(standin::Boxes()[0].style, MB_YESNO);
  EXPECT_EQ(standin::Boxes()[1].style, MB_OK);
}

}  // namespace
