// Shared set-up for the host tests: a fresh stand-in platform per test, as a
// new process would find it, and assertions whose failures name the key.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/standin/standin.h"
#include "registration/registration.h"
#include "tests/expected_texts.h"

namespace qtest {

// The product's registration as Windows spells it (the product itself asks in
// capitals; key names are compared without regard to case).
inline const std::string kCurrentVersion = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
inline const std::string kAppPath = kCurrentVersion + "\\App Paths\\Corvelin.exe";
inline const std::string kUninstall20 = kCurrentVersion + "\\Uninstall\\Quillmere 2.0";
inline const std::string kUninstall21 = kCurrentVersion + "\\Uninstall\\Quillmere 2.1";
inline const std::string kUninstall22 = kCurrentVersion + "\\Uninstall\\Quillmere 2.2";
inline const std::vector<std::string> kUninstallEntries = {kUninstall20, kUninstall21, kUninstall22};

// Keys that look like the registration but are not part of it.
inline const std::vector<std::string> kNeighbours = {
    kCurrentVersion + "\\Uninstall\\Quillmere 2.3",
    kCurrentVersion + "\\Uninstall\\Quillmere",
    kCurrentVersion + "\\Uninstall\\Quillmere 2.0 Beta",
    kCurrentVersion + "\\App Paths\\Corvelin2.exe",
    kCurrentVersion + "\\App Paths\\notepad.exe",
};

using namespace expected;

// A registered Quillmere: its program path and the three uninstall entries,
// with some unrelated keys around them.
inline void InstallQuillmere(const std::string& program = "D:\\Tools\\Corvelin.exe") {
  standin::SetDefaultString(kAppPath, program);
  for (const std::string& entry : kUninstallEntries) standin::SetDefaultString(entry, "Quillmere");
  for (const std::string& key : kNeighbours) standin::CreateKey(key);
}

inline ::testing::AssertionResult KeyPresent(const std::string& path) {
  if (standin::KeyExists(path)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "registry key HKLM\\" << path << " is missing";
}

inline ::testing::AssertionResult KeyAbsent(const std::string& path) {
  if (!standin::KeyExists(path)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "registry key HKLM\\" << path << " is still present";
}

// The subjects of the calls of one operation, in order.
inline std::vector<std::string> SubjectsOf(standin::Op op) {
  std::vector<std::string> subjects;
  for (const standin::Call& call : standin::CallsOf(op)) subjects.push_back(call.subject);
  return subjects;
}

inline std::size_t RegistryCalls() {
  return standin::Calls().size() - standin::CallsOf(standin::Op::MessageBox).size();
}

class ProductTest : public ::testing::Test {
 protected:
  void SetUp() override {
    standin::Reset();
    std::memset(InstallFolder, 0, sizeof InstallFolder);  // static storage starts zeroed
  }
  void TearDown() override {
    EXPECT_EQ(standin::HandlesStillOpen(), 0u) << "a registry key was left open";
  }
};

}  // namespace qtest
