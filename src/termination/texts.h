// The messages of the kill-list run.
#pragma once

#include <string>

namespace morvex::termination {

inline constexpr const char* kBatchNotWrittenTitle = "Fehler beim Beenden";

// The reason when the batch could not name itself in its delete line.
inline constexpr const char* kBatchPathNotInOemCodePage =
    "Der Ordnerpfad enthält Zeichen, die die Eingabeaufforderung nicht lesen kann, und der Ordner hat keinen "
    "kurzen 8.3-Namen.";

inline std::string BatchNotWrittenText(const std::string& folder, const std::string& reason) {
  return "Die Stapeldatei my.bat konnte im Programmordner nicht geschrieben werden; die Prozesse der Liste "
         "wurden nur über die Prozessverwaltung beendet.\n\nOrdner: " +
         folder + "\nGrund: " + reason;
}

}  // namespace morvex::termination
