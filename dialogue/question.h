// The removal question, with the install folder filled in.
#pragma once

// Size of the composed question: room for 299 characters and the terminator.
constexpr unsigned kQuestionSize = 300;

// Writes the removal question naming this folder into the buffer, always
// terminated within it. A folder too long for the question to fit is shown as
// its beginning, "..." and its end, so the consent text is never cut.
void ComposeQuestion(const char* folder, char (&question)[kQuestionSize]);
