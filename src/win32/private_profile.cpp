#include "win32/private_profile.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <optional>

#include "win32/text.h"

namespace morvex::win32 {

std::size_t Win32PrivateProfile::GetString(const std::string& section, const std::string& key,
                                           char* buffer, std::size_t size, const std::string& file) {
  if (buffer == nullptr || size == 0) {
    return 0;
  }
  buffer[0] = '\0';
  const std::optional<std::wstring> path = FullPathOf(file);
  if (!path) return 0;
  const auto capacity = static_cast<DWORD>((std::min<std::size_t>)(size, (std::numeric_limits<DWORD>::max)()));
  std::wstring value(capacity, L'\0');
  value.resize(GetPrivateProfileStringW(WidenAnsi(section).c_str(), WidenAnsi(key).c_str(), nullptr, value.data(),
                                        capacity, path->c_str()));
  // Cut to the buffer as the ANSI call cuts, but never inside a character of
  // two bytes.
  const std::string ansi = NarrowToAnsi(value);
  std::size_t n = 0;
  while (n < ansi.size()) {
    const std::size_t step = IsDBCSLeadByte(static_cast<BYTE>(ansi[n])) && n + 1 < ansi.size() ? 2 : 1;
    if (n + step > size - 1) break;
    n += step;
  }
  std::memcpy(buffer, ansi.data(), n);
  buffer[n] = '\0';
  return n;
}

services::FileResult Win32PrivateProfile::WriteString(const std::string& section, const std::string& key,
                                                      const std::string& value, const std::string& file) {
  const std::optional<std::wstring> path = FullPathOf(file);
  if (!path) return {false, ErrorText(ERROR_NO_UNICODE_TRANSLATION)};
  SetLastError(ERROR_SUCCESS);
  if (WritePrivateProfileStringW(WidenAnsi(section).c_str(), WidenAnsi(key).c_str(), WidenAnsi(value).c_str(),
                                 path->c_str())) {
    return {};
  }
  const DWORD code = GetLastError();
  return {false, ErrorText(code != ERROR_SUCCESS ? code : ERROR_WRITE_FAULT)};
}

services::FileResult Win32PrivateProfile::DeleteKey(const std::string& section, const std::string& key,
                                                    const std::string& file) {
  const std::optional<std::wstring> path = FullPathOf(file);
  if (!path) return {false, ErrorText(ERROR_NO_UNICODE_TRANSLATION)};
  // No value: the key goes.
  SetLastError(ERROR_SUCCESS);
  if (WritePrivateProfileStringW(WidenAnsi(section).c_str(), WidenAnsi(key).c_str(), nullptr, path->c_str())) {
    return {};
  }
  const DWORD code = GetLastError();
  return {false, ErrorText(code != ERROR_SUCCESS ? code : ERROR_WRITE_FAULT)};
}

}  // namespace morvex::win32
