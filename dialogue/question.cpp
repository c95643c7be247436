#include "dialogue/question.h"

#include "dialogue/catalogue.h"

namespace {

using namespace catalogue;

constexpr unsigned Length(const char* text) {
  unsigned n = 0;
  while (text[n] != '\0') ++n;
  return n;
}

// Room left for the folder once the fixed text and the terminator are in.
constexpr unsigned kFolderRoom = kQuestionSize - 1 - Length(kQuestionBefore) - Length(kQuestionAfter);
// How much of each end of an over-long folder is kept around the elision.
constexpr unsigned kFolderEnd = (kFolderRoom - Length(kElision)) / 2;

static_assert(kFolderRoom == 199, "the question's fixed text has changed length");

// Copies up to count characters to out, never to end or beyond; returns
// where the next character goes.
char* Copy(char* out, const char* end, const char* text, unsigned count) {
  while (count-- != 0 && out < end) *out++ = *text++;
  return out;
}

}  // namespace

void ComposeQuestion(const char* folder, char (&question)[kQuestionSize]) {
  const char* const end = question + kQuestionSize - 1;  // the terminator's place
  const unsigned length = Length(folder);
  const unsigned head = length <= kFolderRoom ? length : kFolderEnd;

  char* out = Copy(question, end, kQuestionBefore, sizeof kQuestionBefore - 1);
  out = Copy(out, end, folder, head);
  if (head < length) {
    out = Copy(out, end, kElision, sizeof kElision - 1);
    out = Copy(out, end, folder + length - kFolderEnd, kFolderEnd);
  }
  out = Copy(out, end, kQuestionAfter, sizeof kQuestionAfter - 1);
  *out = '\0';
}
