// The messages of the kill-list run.
#pragma once

#include <algorithm>
#include <cstddef>
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
inline constexpr const char* kTaskkillError = "TASKKILL meldet einen Fehler";
inline std::string TaskkillFailedText(unsigned code) { return "TASKKILL meldet Fehler " + std::to_string(code); }
inline std::string ServiceFailedText(unsigned code) {
  return "Prozessverwaltung meldet Fehler " + std::to_string(code);
}
inline std::string ServiceUnreachableText(const std::string& reason) {
  return "Prozessverwaltung nicht erreichbar: " + reason;
}

// A name of the kill list whose processes, or processes they started, still
// run after the run.
struct NotEnded {
  std::string name;
  std::string reason;    // empty where none is known; several are joined by "; "
  int started = 0;       // how many of the processes its processes started still run
  bool itself = true;    // whether a process of the name itself still runs
  bool operator==(const NotEnded&) const = default;
};

// The reasons that the program, started as administrator, would overcome.
inline bool DeniedAccess(const std::string& reason) {
  for (std::size_t at = 0; at <= reason.size();) {
    const std::size_t end = std::min(reason.find("; ", at), reason.size());
    const std::string one = reason.substr(at, end - at);
    if (one == kAccessDenied || one == kNoPrivilege) return true;
    at = end + 2;
  }
  return false;
}

inline std::string NotEndedLine(const NotEnded& entry) {
  const std::string count = std::to_string(entry.started);
  const std::string programs = entry.started == 1 ? " gestartetes Programm" : " gestartete Programme";
  std::string line = entry.name;
  if (entry.started > 0) {
    line = entry.itself ? entry.name + " und " + count + " von ihm" + programs : count + " von " + entry.name + programs;
  }
  return entry.reason.empty() ? line : line + " (" + entry.reason + ")";
}

inline std::string NotEndedText(const std::vector<NotEnded>& names) {
  std::string text = "Folgende Programme der Liste konnten nicht beendet werden:\n";
  bool denied = false;
  for (const NotEnded& name : names) {
    text += '\n';
    text += NotEndedLine(name);
    denied = denied || DeniedAccess(name.reason);
  }
  if (denied) text += "\n\nAls Administrator gestartet, kann Morvex sie beenden.";
  return text;
}

}  // namespace morvex::termination
