// The messages of the kill-list run.
#pragma once

#include <string>

namespace morvex::termination {

inline constexpr const char* kBatchNotWrittenTitle = "Fehler beim Beenden";

inline std::string BatchNotWrittenText(const std::string& folder, const std::string& reason) {
  return "Die Stapeldatei my.bat konnte im Programmordner nicht geschrieben werden; die Prozesse der Liste "
         "wurden nur über die Prozessverwaltung beendet.\n\nOrdner: " +
         folder + "\nGrund: " + reason;
}

}  // namespace morvex::termination
