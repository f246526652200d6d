#include "win32/private_profile.h"

#include <windows.h>

#include <algorithm>
#include <limits>

#include "win32/text.h"

namespace morvex::win32 {

std::optional<std::string> AnsiProfilePath(const std::string& utf8) { return PathInCodePage(GetACP(), utf8); }

std::size_t Win32PrivateProfile::GetString(const std::string& section, const std::string& key,
                                           char* buffer, std::size_t size, const std::string& file) {
  if (buffer == nullptr || size == 0) {
    return 0;
  }
  const std::optional<std::string> path = AnsiProfilePath(file);
  if (!path) {
    buffer[0] = '\0';
    return 0;
  }
  const auto capacity =
      static_cast<DWORD>((std::min<std::size_t>)(size, (std::numeric_limits<DWORD>::max)()));
  return GetPrivateProfileStringA(section.c_str(), key.c_str(), nullptr, buffer, capacity,
                                  path->c_str());
}

services::FileResult Win32PrivateProfile::WriteString(const std::string& section, const std::string& key,
                                                      const std::string& value, const std::string& file) {
  const std::optional<std::string> path = AnsiProfilePath(file);
  if (!path) return {false, ErrorText(ERROR_NO_UNICODE_TRANSLATION)};
  SetLastError(ERROR_SUCCESS);
  if (WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path->c_str())) return {};
  const DWORD code = GetLastError();
  return {false, ErrorText(code != ERROR_SUCCESS ? code : ERROR_WRITE_FAULT)};
}

services::FileResult Win32PrivateProfile::DeleteKey(const std::string& section, const std::string& key,
                                                    const std::string& file) {
  const std::optional<std::string> path = AnsiProfilePath(file);
  if (!path) return {false, ErrorText(ERROR_NO_UNICODE_TRANSLATION)};
  // No value: the key goes.
  SetLastError(ERROR_SUCCESS);
  if (WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, path->c_str())) return {};
  const DWORD code = GetLastError();
  return {false, ErrorText(code != ERROR_SUCCESS ? code : ERROR_WRITE_FAULT)};
}

}  // namespace morvex::win32
