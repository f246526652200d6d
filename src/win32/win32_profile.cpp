#include "win32/win32_profile.h"

#include <windows.h>

#include <algorithm>
#include <limits>

namespace morvex::services {
namespace {

std::optional<std::wstring> Widen(const std::string& utf8) {
  if (utf8.empty()) {
    return std::wstring();
  }
  if (utf8.size() > static_cast<std::size_t>((std::numeric_limits<int>::max)())) {
    return std::nullopt;
  }
  const int length = static_cast<int>(utf8.size());
  const int count =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
  if (count <= 0) {
    return std::nullopt;
  }
  std::wstring wide(static_cast<std::size_t>(count), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(), count);
  return wide;
}

// Nothing when a character has no exact form in the ANSI code page.
std::optional<std::string> ToAnsi(const std::wstring& wide) {
  if (wide.empty()) {
    return std::string();
  }
  const UINT codePage = GetACP();
  const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultPointer = codePage == CP_UTF8 ? nullptr : &usedDefault;
  const int length = static_cast<int>(wide.size());
  const int count = WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr,
                                        usedDefaultPointer);
  if (count <= 0 || usedDefault) {
    return std::nullopt;
  }
  std::string ansi(static_cast<std::size_t>(count), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), length, ansi.data(), count, nullptr, nullptr);
  return ansi;
}

std::optional<std::wstring> FullPath(const std::wstring& path) {
  const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) {
    return std::nullopt;
  }
  std::wstring full(needed, L'\0');
  const DWORD written = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (written == 0 || written >= needed) {
    return std::nullopt;
  }
  full.resize(written);
  return full;
}

std::optional<std::wstring> ShortPath(const std::wstring& path) {
  const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (needed == 0) {
    return std::nullopt;
  }
  std::wstring shortened(needed, L'\0');
  const DWORD written = GetShortPathNameW(path.c_str(), shortened.data(), needed);
  if (written == 0 || written >= needed) {
    return std::nullopt;
  }
  shortened.resize(written);
  return shortened;
}

}  // namespace

std::optional<std::string> AnsiProfilePath(const std::string& utf8) {
  const std::optional<std::wstring> wide = Widen(utf8);
  if (!wide || wide->empty()) {
    return std::nullopt;
  }
  const std::optional<std::wstring> full = FullPath(*wide);
  if (!full) {
    return std::nullopt;
  }
  if (std::optional<std::string> ansi = ToAnsi(*full)) {
    return ansi;
  }
  if (const std::optional<std::wstring> shortened = ShortPath(*full)) {
    return ToAnsi(*shortened);
  }
  const std::size_t slash = full->find_last_of(L"\\/");
  if (slash == std::wstring::npos) {
    return std::nullopt;
  }
  const std::optional<std::wstring> folder = ShortPath(full->substr(0, slash + 1));
  if (!folder) {
    return std::nullopt;
  }
  std::wstring joined = *folder;
  if (joined.back() != L'\\' && joined.back() != L'/') {
    joined.push_back(L'\\');
  }
  return ToAnsi(joined + full->substr(slash + 1));
}

std::size_t Win32Profile::GetString(const std::string& section, const std::string& key,
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

bool Win32Profile::WriteString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& file) {
  const std::optional<std::string> path = AnsiProfilePath(file);
  return path && WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                            path->c_str()) != FALSE;
}

}  // namespace morvex::services
