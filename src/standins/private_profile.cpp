#include "standins/private_profile.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <system_error>

namespace morvex::standins {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kBlanks = " \t\v\f";
constexpr std::string_view kLineEnd = "\r\n";

// A name or value as the platform sees it: cut at NUL, without surrounding blanks.
std::string_view Clean(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
}

std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

enum class LineKind { kBlank, kHeader, kEntry, kOther };

struct Line {
  std::size_t begin = 0;  // first byte of the text
  std::size_t end = 0;    // one past the text, where the line end starts
  std::size_t next = 0;   // first byte of the following line
  LineKind kind = LineKind::kOther;
  std::string_view name;   // section or key name, cleaned
  std::string_view value;  // entry value as written, after the '='
};

Line ParseLine(std::string_view content, std::size_t begin) {
  Line line;
  line.begin = begin;
  line.end = std::min(content.find_first_of(kLineEnd, begin), content.size());
  line.next = line.end;
  if (line.next < content.size()) {
    line.next += content.compare(line.next, 2, kLineEnd) == 0 ? 2 : 1;
  }
  const std::string_view text = content.substr(begin, line.end - begin);
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    line.kind = LineKind::kBlank;
    return line;
  }
  const std::size_t close = text.rfind(']');
  if (text[first] == '[' && close != std::string_view::npos && close > first) {
    line.kind = LineKind::kHeader;
    line.name = Clean(text.substr(first + 1, close - first - 1));
    return line;
  }
  const std::size_t equals = text.find('=');
  if (equals != std::string_view::npos) {
    line.kind = LineKind::kEntry;
    line.name = Clean(text.substr(0, equals));
    line.value = text.substr(equals + 1);
  }
  return line;
}

std::size_t BodyStart(std::string_view content) {
  return content.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
}

// Where a key lives in the text, or where it would go.
struct Location {
  bool sectionFound = false;
  std::optional<Line> entry;
  std::size_t insertAt = 0;   // after the last non-blank line of the section
  bool needsLineEnd = false;  // that line ends the file without a line end
};

Location Locate(std::string_view content, std::string_view section, std::string_view key) {
  section = Clean(section);
  key = Clean(key);
  Location found;
  std::size_t position = BodyStart(content);
  // The nameless section before the first header is the first one of all.
  bool inside = section.empty();
  found.sectionFound = inside;
  found.insertAt = position;
  while (position < content.size()) {
    const Line line = ParseLine(content, position);
    position = line.next;
    if (line.kind == LineKind::kHeader) {
      if (inside) {
        break;
      }
      inside = SameName(line.name, section);
      found.sectionFound = inside;
    } else if (!inside || line.kind == LineKind::kBlank) {
      continue;
    } else if (line.kind == LineKind::kEntry && SameName(line.name, key)) {
      found.entry = line;
      return found;
    }
    if (inside) {
      found.insertAt = line.next;
      found.needsLineEnd = line.end == line.next;
    }
  }
  return found;
}

std::filesystem::path PathFromUtf8(const std::string& utf8) {
  std::u8string text;
  text.reserve(utf8.size());
  for (const char c : utf8) {
    text.push_back(static_cast<char8_t>(c));
  }
  return std::filesystem::path(text);
}

std::optional<std::string> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return std::nullopt;
  }
  // Unformatted reads turn a failing device (such as a folder) into badbit
  // rather than an exception.
  std::string bytes;
  char chunk[4096];
  while (in.read(chunk, sizeof chunk) || in.gcount() > 0) {
    bytes.append(chunk, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace

std::size_t ReadProfileValue(std::string_view content, std::string_view section,
                             std::string_view key, char* buffer, std::size_t size) {
  if (buffer == nullptr || size == 0) {
    return 0;
  }
  const Location found = Locate(content, section, key);
  std::string_view value;
  if (found.entry) {
    value = Unquote(Clean(found.entry->value));
  }
  const std::size_t count = std::min(value.size(), size - 1);
  std::copy_n(value.begin(), count, buffer);
  buffer[count] = '\0';
  return count;
}

std::string WriteProfileValue(std::string_view content, std::string_view section,
                              std::string_view key, std::string_view value) {
  section = Clean(section);
  key = Clean(key);
  value = value.substr(0, value.find('\0'));
  const Location found = Locate(content, section, key);
  std::string result(content);
  if (found.entry) {
    std::string line(found.entry->name);
    line.append("=").append(value);
    result.replace(found.entry->begin, found.entry->end - found.entry->begin, line);
    return result;
  }
  std::string added;
  if (found.sectionFound) {
    if (found.needsLineEnd) {
      added.append(kLineEnd);
    }
    added.append(key).append("=").append(value).append(kLineEnd);
    result.insert(found.insertAt, added);
    return result;
  }
  if (result.size() > BodyStart(result) && kLineEnd.find(result.back()) == std::string::npos) {
    added.append(kLineEnd);
  }
  added.append("[").append(section).append("]").append(kLineEnd);
  added.append(key).append("=").append(value).append(kLineEnd);
  return result.append(added);
}

std::string RemoveProfileKey(std::string_view content, std::string_view section, std::string_view key) {
  const Location found = Locate(content, section, key);
  std::string result(content);
  if (found.entry) result.erase(found.entry->begin, found.entry->next - found.entry->begin);
  return result;
}

std::size_t PortableProfile::GetString(const std::string& section, const std::string& key,
                                       char* buffer, std::size_t size, const std::string& file) {
  const std::optional<std::string> content = ReadFile(PathFromUtf8(file));
  return ReadProfileValue(content ? *content : std::string_view{}, section, key, buffer, size);
}

services::FileResult PortableProfile::WriteString(const std::string& section, const std::string& key,
                                                  const std::string& value, const std::string& file) {
  return Rewrite(file, [&](std::string_view content) { return WriteProfileValue(content, section, key, value); });
}

services::FileResult PortableProfile::DeleteKey(const std::string& section, const std::string& key,
                                                const std::string& file) {
  return Rewrite(file, [&](std::string_view content) { return RemoveProfileKey(content, section, key); });
}

services::FileResult PortableProfile::Rewrite(const std::string& file,
                                              const std::function<std::string(std::string_view)>& change) {
  const std::filesystem::path path = PathFromUtf8(file);
  std::optional<std::string> content = ReadFile(path);
  if (!content) {
    std::error_code error;
    if (std::filesystem::exists(path, error) || error) {
      // There, but not readable: never overwrite it blind.
      return {false, std::make_error_code(std::errc::permission_denied).message()};
    }
    content.emplace();
  }
  const std::string updated = change(*content);
  errno = 0;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(updated.data(), static_cast<std::streamsize>(updated.size()));
  out.close();
  if (!out.fail()) return {};
  const int code = errno != 0 ? errno : EIO;
  return {false, std::generic_category().message(code)};
}

}  // namespace morvex::standins
