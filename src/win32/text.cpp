#include "win32/text.h"

#include <limits>

namespace morvex::win32 {

namespace {

std::wstring ToWide(UINT codePage, const std::string& text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string FromWide(UINT codePage, const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

// Nothing when the text is not UTF-8.
std::optional<std::wstring> WidenStrictly(const std::string& utf8) {
  if (utf8.empty()) return std::wstring();
  if (utf8.size() > static_cast<std::size_t>((std::numeric_limits<int>::max)())) return std::nullopt;
  const int length = static_cast<int>(utf8.size());
  const int count = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
  if (count <= 0) return std::nullopt;
  std::wstring wide(static_cast<std::size_t>(count), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(), count);
  return wide;
}

std::optional<std::string> FromWideExactly(UINT codePage, const std::wstring& wide) {
  if (wide.empty()) return std::string();
  // UTF-8 holds every character and takes neither the flag nor the question.
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultPointer = utf8 ? nullptr : &usedDefault;
  const int length = static_cast<int>(wide.size());
  const int count = WideCharToMultiByte(codePage, flags, wide.data(), length, nullptr, 0, nullptr, usedDefaultPointer);
  if (count <= 0 || usedDefault) return std::nullopt;
  std::string out(static_cast<std::size_t>(count), '\0');
  WideCharToMultiByte(codePage, flags, wide.data(), length, out.data(), count, nullptr, nullptr);
  return out;
}

}  // namespace

std::wstring Widen(const std::string& utf8) { return ToWide(CP_UTF8, utf8); }
std::string Narrow(const std::wstring& wide) { return FromWide(CP_UTF8, wide); }
std::string ToAnsi(const std::string& utf8) { return FromWide(CP_ACP, Widen(utf8)); }
std::string FromAnsi(const std::string& ansi) { return Narrow(ToWide(CP_ACP, ansi)); }
std::wstring WidenAnsi(const std::string& ansi) { return ToWide(CP_ACP, ansi); }
std::string NarrowToAnsi(const std::wstring& wide) { return FromWide(CP_ACP, wide); }

std::wstring WindowText(HWND hwnd) {
  const int n = GetWindowTextLengthW(hwnd);
  std::wstring buffer(static_cast<std::size_t>(n) + 1, L'\0');
  GetWindowTextW(hwnd, buffer.data(), n + 1);
  buffer.resize(wcslen(buffer.c_str()));
  return buffer;
}

std::optional<std::wstring> FullPath(const std::wstring& path) {
  const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
  if (needed == 0) return std::nullopt;
  std::wstring full(needed, L'\0');
  const DWORD written = GetFullPathNameW(path.c_str(), needed, full.data(), nullptr);
  if (written == 0 || written >= needed) return std::nullopt;
  full.resize(written);
  return full;
}

std::optional<std::wstring> FullPathOf(const std::string& utf8) {
  const std::optional<std::wstring> wide = WidenStrictly(utf8);
  if (!wide || wide->empty()) return std::nullopt;
  return FullPath(*wide);
}

std::wstring FolderOf(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  if (slash == std::wstring::npos) return std::wstring();
  return path.substr(0, slash == 2 && path[1] == L':' ? 3 : slash);
}

std::optional<std::string> ToCodePageExactly(UINT codePage, const std::string& utf8) {
  const std::optional<std::wstring> wide = WidenStrictly(utf8);
  if (!wide) return std::nullopt;
  return FromWideExactly(codePage, *wide);
}

std::string ErrorText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = n && buffer ? std::wstring(buffer, n) : L"";
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) text.pop_back();
  if (text.empty()) text = L"Fehler " + std::to_wstring(code);
  return Narrow(text);
}

}  // namespace morvex::win32
