#include "termination/kill_batch.h"

namespace morvex::termination {

namespace {

bool IsPlain(char c, bool isPath) {
  const bool alnum = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
  return alnum || c == '.' || c == '_' || c == '-' || (isPath && (c == '\\' || c == ':'));
}

}  // namespace

bool IsBatchWord(std::string_view word) {
  if (word.empty()) return false;
  for (const char c : word) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F || c == '"') return false;
  }
  return true;
}

std::optional<std::string> BatchWord(std::string_view word, bool isPath) {
  if (!IsBatchWord(word)) return std::nullopt;
  bool plain = true;
  for (const char c : word) plain = plain && IsPlain(c, isPath);
  if (plain) return std::string(word);
  std::string quoted = "\"";
  for (const char c : word) {
    quoted += c;
    if (c == '%') quoted += '%';
  }
  quoted += '"';
  return quoted;
}

std::optional<std::string> KillBatchBytes(const std::vector<KillLine>& lines, std::string_view batchPath) {
  std::string bytes;
  for (const auto& line : lines) {
    const std::optional<std::string> word = BatchWord(line.name);
    if (!word) return std::nullopt;
    const std::string filter = line.spared ? " /FI \"PID ne " + std::to_string(*line.spared) + "\"" : "";
    bytes += "TASKKILL /F /IM " + *word + filter + (line.tree ? " /T" : "") + "\r\n";
  }
  const std::optional<std::string> path = BatchWord(batchPath, true);
  if (!path) return std::nullopt;
  bytes += "del " + *path + "\r\n";
  return bytes;
}

}  // namespace morvex::termination
