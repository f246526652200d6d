// Private-profile files through the kernel's GetPrivateProfileStringW and
// WritePrivateProfileStringW: the path is the file's own, in any letters, so
// that a folder outside the ANSI code page works also on a drive without
// short (8.3) names. Section, key and value stay ANSI text, and so does the
// file: the system writes a file it makes in ANSI.
#pragma once

#include <cstddef>
#include <string>

#include "services/private_profile.h"

namespace morvex::win32 {

class Win32PrivateProfile final : public services::PrivateProfile {
 public:
  std::size_t GetString(const std::string& section, const std::string& key, char* buffer,
                        std::size_t size, const std::string& file) override;
  services::FileResult WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& file) override;
  services::FileResult DeleteKey(const std::string& section, const std::string& key,
                                 const std::string& file) override;
};

}  // namespace morvex::win32
