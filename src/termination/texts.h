// The messages of the kill-list run.
#pragma once

#include <string>

namespace morvex::termination {

inline constexpr const char* kBatchFailedTitle = "Fehler beim Beenden";

// The reason when the batch could not name itself in its delete line.
inline constexpr const char* kBatchPathNotInOemCodePage =
    "Der Ordnerpfad enthält Zeichen, die die Eingabeaufforderung nicht lesen kann, und der Ordner hat keinen "
    "kurzen 8.3-Namen.";

inline std::string BatchNotWrittenText(const std::string& folder, const std::string& reason) {
  return "Die Stapeldatei my.bat konnte im Programmordner nicht geschrieben werden; das Beenden der Prozesse der "
         "Liste wurde nur über die Prozessverwaltung versucht.\n\nOrdner: " +
         folder + "\nGrund: " + reason;
}

inline std::string BatchNotStartedText(const std::string& path, const std::string& reason) {
  return "Die Stapeldatei my.bat konnte nicht gestartet werden; das Beenden der Prozesse der Liste wurde nur über "
         "die Prozessverwaltung versucht.\n\nDatei: " +
         path + "\nGrund: " + reason;
}

}  // namespace morvex::termination
