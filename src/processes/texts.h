// The messages of the process catalogue and the kill list.
#pragma once

#include <string>

namespace morvex::processes {

// Shown when a name is copied that the kill list already holds.
inline constexpr const char* kAlreadyListed = "Bereits da!";

// Shown when a name is copied whose process Windows needs.
inline constexpr const char* kProtectedNameTitle = "Geschützter Prozess";

inline std::string ProtectedNameText(const std::string& name) {
  return "Der Prozess " + name + " wird von Windows benötigt und kann nicht übernommen werden !\n\n"
         "Wird er beendet, hält Windows sofort an, und alle nicht gespeicherten Daten gehen verloren.";
}

inline constexpr const char* kNotReadTitle = "Fehler beim Lesen";
inline constexpr const char* kQueryFailedTitle = "Fehler bei der Prozessabfrage";

inline std::string KillListNotSavedText(const std::string& path, const std::string& reason) {
  return "Die Liste der zu beendenden Prozesse wurde nicht gespeichert.\n\nDatei: " + path + "\nGrund: " + reason;
}

inline std::string KillListNotReadText(const std::string& path, const std::string& reason) {
  return "Die Liste der zu beendenden Prozesse konnte nicht vollständig gelesen werden.\n\nDatei: " + path +
         "\nGrund: " + reason;
}

inline std::string QueryFailedText(const std::string& reason) {
  return "Die laufenden Prozesse konnten nicht abgefragt werden; die Liste bleibt unverändert.\n\nGrund: " + reason;
}

}  // namespace morvex::processes
