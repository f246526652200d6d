// Letter case folded for comparisons that ignore it.
#pragma once

#include <string>

namespace morvex::ui {

// The UTF-8 text with the capitals of ASCII, Latin-1, Latin Extended-A,
// Greek and Cyrillic folded onto their small letters (so "Ä" equals "ä",
// "Ł" equals "ł", "Б" equals "б"), as Win32 compares list entries and image
// names. Every other byte stays; a capital and a letter with another accent
// stay different ("Łódź" is not "Lódz").
std::string FoldCase(const std::string& utf8);

}  // namespace morvex::ui
