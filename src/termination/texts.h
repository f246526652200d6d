// The messages of the kill-list run.
#pragma once

#include <string>
#include <vector>

namespace morvex::termination {

inline constexpr const char* kNotEndedTitle = "Fehler beim Beenden";

// The reasons a name may still run after the run, where one is known.
inline constexpr const char* kAccessDenied = "Zugriff verweigert";
inline constexpr const char* kNoPrivilege = "Berechtigung fehlt";
inline constexpr const char* kNeededByWindows = "von Windows benötigt, wird nie beendet";
inline constexpr const char* kTaskkillHung = "TASKKILL hat nicht rechtzeitig geendet";

inline std::string TaskkillNotStartedText(const std::string& reason) {
  return "TASKKILL konnte nicht gestartet werden: " + reason;
}
inline std::string TaskkillFailedText(unsigned code) { return "TASKKILL meldet Fehler " + std::to_string(code); }
inline std::string ServiceFailedText(unsigned code) {
  return "Prozessverwaltung meldet Fehler " + std::to_string(code);
}
inline std::string ServiceUnreachableText(const std::string& reason) {
  return "Prozessverwaltung nicht erreichbar: " + reason;
}

// A name of the kill list whose processes still run after the run.
struct NotEnded {
  std::string name;
  std::string reason;  // empty where none is known
  bool operator==(const NotEnded&) const = default;
};

inline std::string NotEndedText(const std::vector<NotEnded>& names) {
  std::string text = "Diese Taskprozesse der Liste laufen nach dem Beenden noch:\n";
  for (const NotEnded& name : names) {
    text += "\n" + name.name;
    if (!name.reason.empty()) text += " (" + name.reason + ")";
  }
  return text;
}

}  // namespace morvex::termination
