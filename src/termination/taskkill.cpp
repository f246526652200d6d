#include "termination/taskkill.h"

#include <algorithm>

#include "services/in_folder.h"

namespace morvex::termination {

namespace {

// One name's part of the command line.
std::string ImageNameArgument(const std::string& name) {
  const bool quoted = name.find_first_of(" \t") != std::string::npos;
  return quoted ? " /IM \"" + name + "\"" : " /IM " + name;
}

// The command line's parts before and after its names.
std::string Head(const std::string& systemFolder) {
  std::string head = "\"";
  head += TaskkillPath(systemFolder);
  head += "\" /F";
  return head;
}
std::string Tail(const TaskkillStart& start) {
  std::string tail;
  if (start.spared) tail += " /FI \"PID ne " + std::to_string(*start.spared) + "\"";
  if (start.tree) tail += " /T";
  return tail;
}

}  // namespace

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
  if (start.names.empty() || !std::all_of(start.names.begin(), start.names.end(), IsTaskkillWord)) return std::nullopt;
  std::string line = Head(systemFolder);
  for (const std::string& name : start.names) line += ImageNameArgument(name);
  return line + Tail(start);
}

std::vector<TaskkillStart> FittingStarts(const std::string& systemFolder, const TaskkillStart& start) {
  const std::size_t frame = Head(systemFolder).size() + Tail(start).size();
  std::vector<TaskkillStart> starts;
  std::size_t length = 0;
  for (const std::string& name : start.names) {
    const std::size_t added = ImageNameArgument(name).size();
    if (starts.empty() || length + added > kCommandLineLimit) {
      starts.push_back({{}, start.spared, start.tree});
      length = frame;
    }
    starts.back().names.push_back(name);
    length += added;
  }
  return starts;
}

}  // namespace morvex::termination
