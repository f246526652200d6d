// Private-profile files through the kernel's GetPrivateProfileStringA and
// WritePrivateProfileStringA.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "services/private_profile.h"

namespace morvex::win32 {

// The path in the ANSI code page, or its short form where the code page
// lacks a character (PathInCodePage). Nothing when no form fits.
std::optional<std::string> AnsiProfilePath(const std::string& utf8);

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
