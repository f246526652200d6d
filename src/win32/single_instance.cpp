#include "win32/single_instance.h"

#include <cwchar>
#include <optional>

#include "win32/styles.h"
#include "win32/text.h"

namespace morvex::win32 {

namespace {

// The window property that marks a folder's running copy: its value is the
// folder's key.
constexpr wchar_t kMarkProp[] = L"MorvexFolder";

// The folder's path as the file system resolves it (long names, the volume's
// own spelling); the full path where it cannot be opened.
std::wstring ResolvedPath(const std::wstring& folder) {
  const UniqueHandle handle(CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (handle) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
      const DWORD n = GetFinalPathNameByHandleW(handle.get(), path.data(), static_cast<DWORD>(path.size()),
                                                FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
      if (n == 0) break;
      if (n < path.size()) {
        path.resize(n);
        return path;
      }
      path.resize(n);
    }
  }
  std::wstring path = FullPath(folder).value_or(folder);
  if (const DWORD n = GetLongPathNameW(path.c_str(), nullptr, 0); n > 0) {
    std::wstring longer(n, L'\0');
    longer.resize(GetLongPathNameW(path.c_str(), longer.data(), n));
    if (!longer.empty()) path = longer;
  }
  return path;
}

std::wstring Uppercase(const std::wstring& text) {
  std::wstring out = text;
  if (!text.empty()) {
    LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, text.c_str(), static_cast<int>(text.size()), out.data(),
                  static_cast<int>(out.size()), nullptr, nullptr, 0);
  }
  return out;
}

// A top-level window of the program marked with the folder's key.
struct MarkSearch {
  std::uintptr_t key;
  HWND found;
};

BOOL CALLBACK FindMarked(HWND hwnd, LPARAM lp) {
  auto* search = reinterpret_cast<MarkSearch*>(lp);
  wchar_t name[32] = {};
  GetClassNameW(hwnd, name, 32);
  if (std::wcscmp(name, kFormClass) != 0 || reinterpret_cast<std::uintptr_t>(GetPropW(hwnd, kMarkProp)) != search->key) {
    return TRUE;
  }
  search->found = hwnd;
  return FALSE;
}

}  // namespace

UINT ShowRequestMessage() {
  static const UINT message = RegisterWindowMessageW(L"MorvexShowWindow");
  return message;
}

std::uint64_t FolderKey(const std::wstring& folder) {
  std::wstring path = Uppercase(ResolvedPath(folder));
  while (path.size() > 1 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  // FNV-1a over the UTF-16 units: an object name holds no separator and is
  // bounded in length, a path is neither.
  std::uint64_t hash = 14695981039346656037ull;
  for (const wchar_t unit : path) {
    hash ^= static_cast<std::uint16_t>(unit);
    hash *= 1099511628211ull;
  }
  return hash ? hash : 1;
}

bool FolderCopy::Claim(int waitForWindowMs) {
  wchar_t name[64];
  std::swprintf(name, 64, L"Local\\Morvex-%016llx", static_cast<unsigned long long>(key_));
  mutex_.reset(CreateMutexW(nullptr, TRUE, name));
  // Without the object there is nothing to go by: the program runs as ever.
  if (!mutex_ || GetLastError() != ERROR_ALREADY_EXISTS) return true;
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(waitForWindowMs);
  for (DWORD wait = 0;; wait = 100) {
    // The mutex is had only once the other copy has ended.
    const DWORD ended = WaitForSingleObject(mutex_.get(), wait);
    if (ended == WAIT_OBJECT_0 || ended == WAIT_ABANDONED) return true;
    if (HWND first = FindMarkedWindow()) {
      DWORD process = 0;
      GetWindowThreadProcessId(first, &process);
      AllowSetForegroundWindow(process);
      PostMessageW(first, ShowRequestMessage(), 0, 0);
      return false;
    }
    if (GetTickCount64() >= end) return false;
  }
}

void FolderCopy::MarkMainWindow(HWND window) const {
  SetPropW(window, kMarkProp, reinterpret_cast<HANDLE>(static_cast<std::uintptr_t>(key_)));
}

HWND FolderCopy::FindMarkedWindow() const {
  MarkSearch search{static_cast<std::uintptr_t>(key_), nullptr};
  EnumWindows(FindMarked, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace morvex::win32
