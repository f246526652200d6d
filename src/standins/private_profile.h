// A stand-in for the system's private-profile (INI) files in the Linux build
// (the native tests, the fuzzers), handled with the standard library alone;
// the Windows program never uses it. It follows what the platform does:
//
// - A line ends at CR LF, at a lone CR or at a lone LF. A UTF-8 byte-order
//   mark at the start of the file is skipped.
// - A line whose first non-blank character is '[' and that holds a later ']'
//   is a section header; the name lies between '[' and the last ']'. Lines
//   before the first header form a section with an empty name.
// - Any other line with an '=' is an entry: key before the first '=', value
//   after it. ';' starts no comment: ";x=1" is the key ";x". Lines without
//   '=' belong to their section but are no entries.
// - Names and values end at a NUL byte and lose surrounding blanks (space,
//   tab, vertical tab, form feed). Names are compared with A-Z folded to a-z
//   and no other letters folded. The first matching section and, inside it,
//   the first matching key count.
// - A value loses one pair of matching surrounding quotes (" or ').
//
// Writing keeps every byte of the file except the line it replaces or the
// lines it adds. An existing key keeps its line and its spelling; a new key
// goes right after the last non-blank line of its section, so blank lines
// before the next section stay where they are; a new section goes at the end
// of the file. Added lines end in CR LF.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "services/private_profile.h"

namespace morvex::standins {

// The value of key in section of the profile text content, placed in buffer
// as GetString places it.
std::size_t ReadProfileValue(std::string_view content, std::string_view section,
                             std::string_view key, char* buffer, std::size_t size);

// The profile text content with key in section set to value.
std::string WriteProfileValue(std::string_view content, std::string_view section,
                              std::string_view key, std::string_view value);
// The profile text content without the line of key in section.
std::string RemoveProfileKey(std::string_view content, std::string_view section, std::string_view key);

class PortableProfile final : public services::PrivateProfile {
 public:
  std::size_t GetString(const std::string& section, const std::string& key, char* buffer,
                        std::size_t size, const std::string& file) override;
  services::FileResult WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) override;
  services::FileResult DeleteKey(const std::string& section, const std::string& key,
                                 const std::string& file) override;

 private:
  services::FileResult Rewrite(const std::string& file, const std::function<std::string(std::string_view)>& change);
};

}  // namespace morvex::standins
