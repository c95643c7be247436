// The removal question: the install folder put into the fixed text, always
// within the 300-byte buffer, the consent text always whole.
#include <cstring>

#include "dialogue/question.h"
#include "tests/host/fixture.h"

namespace {

using qtest::QuestionText;

// A folder of a given length whose characters show where they came from.
std::string FolderOfLength(std::size_t length) {
  std::string folder;
  for (std::size_t i = 0; i < length; ++i) folder += static_cast<char>('A' + i % 26);
  return folder;
}

struct QuestionCase {
  std::size_t folderLength;
  std::string shown;  // what stands in the place of the folder
};

std::vector<QuestionCase> Cases() {
  const std::string longest = FolderOfLength(299);
  return {
      {0, ""},
      {1, "A"},
      {8, "ABCDEFGH"},
      {198, FolderOfLength(198)},
      {199, FolderOfLength(199)},  // the longest shown whole: 299 characters in all
      {200, FolderOfLength(200).substr(0, 98) + "..." + FolderOfLength(200).substr(102)},
      {299, longest.substr(0, 98) + "..." + longest.substr(299 - 98)},
  };
}

TEST(Question, FolderIsShownWholeUpTo199CharactersAndElidedBeyond) {
  for (const QuestionCase& c : Cases()) {
    SCOPED_TRACE(c.folderLength);
    char question[kQuestionSize];
    std::memset(question, '#', sizeof question);
    ComposeQuestion(FolderOfLength(c.folderLength).c_str(), question);
    const std::string text(question);
    EXPECT_EQ(text, QuestionText(c.shown));
    EXPECT_LE(text.size(), kQuestionSize - 1u);
  }
}

TEST(Question, FolderIsCopiedCharacterForCharacter) {
  const std::string folder = "C:\\%s%n%d \"quoted\" \xE4\xF6\xFC\t\n\\";
  char question[kQuestionSize];
  ComposeQuestion(folder.c_str(), question);
  EXPECT_EQ(std::string(question), QuestionText(folder));
}

TEST(Question, EmptyFolderLeavesTwoSpacesInARow) {
  char question[kQuestionSize];
  ComposeQuestion("", question);
  EXPECT_EQ(std::string(question).substr(0, 30), "A reference to  was detected.\n");
}

TEST(Question, FixedTextIsOneHundredCharacters) {
  EXPECT_EQ(QuestionText("").size(), 100u);
}

}  // namespace
