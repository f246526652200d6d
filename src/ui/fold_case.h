// Letter case folded for comparisons that ignore it.
#pragma once

#include <string>

namespace morvex::ui {

// The UTF-8 text with the capitals of ASCII and of Latin-1 folded onto their
// small letters (so "Ä" equals "ä"), as Win32 compares list entries and image
// names in the languages the program is written for. Every other byte stays.
std::string FoldCase(const std::string& utf8);

}  // namespace morvex::ui
