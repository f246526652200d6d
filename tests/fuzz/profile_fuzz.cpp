// Reads arbitrary bytes as a private-profile file, then writes one key and
// checks that it reads back and that nothing else moved.
//
// Input: one selector byte (section and key), one length byte, that many bytes
// of value, and the rest is the file.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>

#include "standins/private_profile.h"

using morvex::standins::ReadProfileValue;
using morvex::standins::WriteProfileValue;

namespace {

constexpr std::string_view kSections[] = {"Form1", "FORM1", "Other", ""};
constexpr std::string_view kKeys[] = {"txtSekunde", "LIST3", "optOnLeftClick(0)", ";x"};
constexpr std::size_t kSizes[] = {1, 3, 256};

void Check(bool condition) {
  if (!condition) {
    std::abort();
  }
}

std::string Read(std::string_view content, std::string_view section, std::string_view key,
                 std::size_t size = 256) {
  char buffer[256];
  const std::size_t count = ReadProfileValue(content, section, key, buffer, size);
  Check(count < size && buffer[count] == '\0');
  const std::string value(buffer, count);
  Check(value.find('\0') == std::string::npos);
  return value;
}

// What a single-line value reads back as: no surrounding blanks, no matching
// outer quotes, at most 255 bytes.
std::string Expected(std::string value) {
  const std::string_view blanks = " \t\v\f";
  value.erase(0, value.find_first_not_of(blanks));
  value.erase(value.find_last_not_of(blanks) + 1);
  if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
    value = value.substr(1, value.size() - 2);
  }
  return value.substr(0, 255);
}

bool SameSection(std::size_t a, std::size_t b) { return a == b || (a < 2 && b < 2); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) {
    return 0;
  }
  const std::size_t section = data[0] & 3;
  const std::size_t key = (data[0] >> 2) & 3;
  const std::size_t length = std::min<std::size_t>(data[1], size - 2);
  std::string value(reinterpret_cast<const char*>(data) + 2, length);
  for (char& c : value) {
    if (c == '\r' || c == '\n' || c == '\0') {
      c = '.';
    }
  }
  const std::string_view content(reinterpret_cast<const char*>(data) + 2 + length,
                                 size - 2 - length);

  // Smaller buffers give a prefix of the same value.
  for (const std::string_view s : kSections) {
    for (const std::string_view k : kKeys) {
      const std::string whole = Read(content, s, k);
      for (const std::size_t room : kSizes) {
        Check(whole.starts_with(Read(content, s, k, room)));
      }
    }
  }

  const std::string written = WriteProfileValue(content, kSections[section], kKeys[key], value);
  Check(Read(written, kSections[section], kKeys[key]) == Expected(value));
  Check(WriteProfileValue(written, kSections[section], kKeys[key], value) == written);
  for (std::size_t s = 0; s < std::size(kSections); ++s) {
    for (std::size_t k = 0; k < std::size(kKeys); ++k) {
      if (!(SameSection(s, section) && k == key)) {
        Check(Read(written, kSections[s], kKeys[k]) == Read(content, kSections[s], kKeys[k]));
      }
    }
  }
  return 0;
}
