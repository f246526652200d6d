// The byte format of the batch file my.bat, which ends processes through the
// system's TASKKILL command and then deletes itself.
//
// All text here is raw bytes in the OEM code page, as on disk: the command
// interpreter reads a batch file in that code page, not in the ANSI one.
// Every line ends in CR LF, the last one included:
//
//   TASKKILL /F /IM <name> /T     (one such kill line per name)
//   del <path of my.bat>          (the delete line, last)
//
// A kill line for a name the program's own process carries also holds a
// filter that spares that process, so that another copy of the program ends
// but this one goes on: TASKKILL /F /IM morvex.exe /FI "PID ne 1234" /T.
// A kill line for a name one of the processes the program descends from
// carries (explorer.exe, which started it) lacks /T, which would end the
// program with the rest of that process's descendants.
//
// A word (a name or the path) goes into the file so that the command
// interpreter takes it as one literal argument and runs nothing of its own:
//  - A plain word (ASCII letters, digits, '.', '_', '-', and for the path '\'
//    and ':' as well) is written as it is: TASKKILL /F /IM notepad.exe /T.
//  - Any other word is enclosed in double quotes, with every '%' doubled (the
//    one expansion that still happens inside quotes in a batch file; the
//    batch runs with delayed expansion off, so '!' stays literal). Inside the
//    quotes '&', '|', '<', '>', '(', ')', '^' and blanks are ordinary.
//  - A word that is empty, holds a double quote (which cannot be escaped inside
//    quotes) or a control character (which could end the line) cannot be
//    written; no image name or folder path can hold one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace morvex::termination {

inline constexpr const char* kBatchFileName = "my.bat";

// Whether the word can be written as one literal argument.
bool IsBatchWord(std::string_view word);

// The word as the batch file holds it; nullopt when !IsBatchWord(word).
std::optional<std::string> BatchWord(std::string_view word, bool isPath = false);

struct KillLine {
  std::string name;
  // The process the line must leave running, by its identifier.
  std::optional<std::uint32_t> spared;
  // Whether the processes the matching ones started end with them (/T).
  bool tree = true;
};

// The whole file: one kill line for each, in order, then the delete line for
// `batchPath`. nullopt when a name or the path cannot be written.
std::optional<std::string> KillBatchBytes(const std::vector<KillLine>& lines, std::string_view batchPath);

}  // namespace morvex::termination
