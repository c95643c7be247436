// Every text the user can see: the five messages and their three captions.
#pragma once

namespace catalogue {

// Captions. Each ends in one space after the colon.
constexpr char kInformation[] = "Information: ";
constexpr char kSuccess[] = "Success: ";
constexpr char kError[] = "Error: ";

// 1. Asks whether to check the installation.
constexpr char kConfirm[] =
    "This program will check the integrity of your Quillmere installation.\n"
    "                                Do you want to continue ?";

// 2. The application-path entry was not found.
constexpr char kNothingFound[] = "No references to Quillmere detected.";

// 3. Asks whether to remove the registration; the install folder stands
//    between the two halves.
constexpr char kQuestionBefore[] = "A reference to ";
constexpr char kQuestionAfter[] =
    " was detected.\n"
    "Do you really want to delete this reference (requires reinstallation)?";

// Stands in the middle of a folder too long to be shown whole.
constexpr char kElision[] = "...";

// 4. The registration was removed.
constexpr char kRemoved[] =
    "The information has successfully been removed. You may now reinstall Quillmere.";

// 5. The registration could not be removed.
constexpr char kNotRemoved[] =
    "The information could not be removed. Please contact Halvenor support.";

}  // namespace catalogue
