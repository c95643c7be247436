// What the user must see, written out independently of the product's own
// catalogue so that a changed character, space or line break is caught.
#pragma once

#include <string>

namespace expected {

inline const std::string kConfirmText =
    "This program will check the integrity of your Quillmere installation.\n"
    "                                Do you want to continue ?";
inline const std::string kNothingFoundText = "No references to Quillmere detected.";
inline std::string QuestionText(const std::string& folder) {
  return "A reference to " + folder +
         " was detected.\nDo you really want to delete this reference (requires reinstallation)?";
}
inline const std::string kRemovedText =
    "The information has successfully been removed. You may now reinstall Quillmere.";
inline const std::string kNotRemovedText =
    "The information could not be removed. Please contact Halvenor support.";

inline const std::string kInformation = "Information: ";
inline const std::string kSuccess = "Success: ";
inline const std::string kError = "Error: ";

}  // namespace expected
