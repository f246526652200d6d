// Windows private-profile (INI) files, read and written one key at a time as
// the kernel's GetPrivateProfileStringA and WritePrivateProfileStringA do.
// Section, key and value are single-byte text in the ANSI code page; the file
// path is UTF-8 and should be absolute (the platform looks for a bare file
// name in the Windows folder).
#pragma once

#include <cstddef>
#include <string>

#include "services/file_result.h"

namespace morvex::services {

class PrivateProfile {
 public:
  virtual ~PrivateProfile() = default;

  // Copies the value into buffer (at most size-1 bytes + NUL) and returns the
  // number of bytes placed, 0 when the file, section or key is missing or the
  // value is empty. No default text. Names are matched without regard to the
  // letter case of A-Z; the value comes back without surrounding blanks and
  // without one pair of matching surrounding quotes (" or ').
  virtual std::size_t GetString(const std::string& section, const std::string& key, char* buffer,
                                std::size_t size, const std::string& file) = 0;

  // Creates file, section and key as needed; replaces an existing key's value
  // in place; a new key is appended at the end of its section. On failure
  // the result names the system's reason. Like the platform, a string ends at
  // its first NUL byte.
  virtual FileResult WriteString(const std::string& section, const std::string& key,
                           const std::string& value, const std::string& file) = 0;

  // Removes the key's line from its section; a key that is not there leaves
  // the file as it is.
  virtual FileResult DeleteKey(const std::string& section, const std::string& key, const std::string& file) = 0;
};

}  // namespace morvex::services
