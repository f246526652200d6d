#include "termination/taskkill.h"

#include "services/in_folder.h"

namespace morvex::termination {

bool IsTaskkillWord(std::string_view name) {
  if (name.empty()) return false;
  for (const char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '"' || c == '\\' || c == '/') return false;
  }
  return true;
}

std::string TaskkillPath(const std::string& systemFolder) { return services::InFolder(systemFolder, kTaskkillFileName); }

std::optional<std::string> TaskkillCommandLine(const std::string& systemFolder, const TaskkillStart& start) {
  if (!IsTaskkillWord(start.name)) return std::nullopt;
  const bool quoted = start.name.find_first_of(" \t") != std::string::npos;
  std::string line = "\"";
  line += TaskkillPath(systemFolder);
  line += "\" /F /IM ";
  if (quoted) line += '"';
  line += start.name;
  if (quoted) line += '"';
  if (start.spared) line += " /FI \"PID ne " + std::to_string(*start.spared) + "\"";
  if (start.tree) line += " /T";
  return line;
}

}  // namespace morvex::termination
