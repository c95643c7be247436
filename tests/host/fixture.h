// Shared set-up for the host tests: a fresh stand-in platform per test, as a
// new process would find it, and assertions whose failures name the key.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/standin/standin.h"
#include "registration/registration.h"
#include "tests/expected_keys.h"
#include "tests/expected_texts.h"

namespace qtest {

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
