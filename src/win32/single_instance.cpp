#include "win32/single_instance.h"

#include <cstdlib>
#include <cwchar>
#include <iterator>

#include "win32/notification_area.h"
#include "win32/styles.h"
#include "win32/text.h"

namespace morvex::win32 {

namespace {

// The window property that marks a folder's running copy: its name holds
// the folder's whole key, which the 32-bit and the 64-bit program spell
// alike (a property's value, a handle, has 32 bits in the 32-bit program).
constexpr wchar_t kMarkPrefix[] = L"MorvexFolder-";

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
  std::wstring mark;
  HWND found;
};

BOOL CALLBACK FindMarked(HWND hwnd, LPARAM lp) {
  auto* search = reinterpret_cast<MarkSearch*>(lp);
  wchar_t name[32] = {};
  GetClassNameW(hwnd, name, 32);
  if (std::wcscmp(name, kFormClass) != 0 || !GetPropW(hwnd, search->mark.c_str())) return TRUE;
  search->found = hwnd;
  return FALSE;
}

BOOL CALLBACK ReadMark(HWND, LPWSTR name, HANDLE, ULONG_PTR found) {
  // A property named by an atom number instead of a string is none of ours.
  if (IS_INTRESOURCE(name) || std::wcsncmp(name, kMarkPrefix, std::size(kMarkPrefix) - 1) != 0) return TRUE;
  *reinterpret_cast<std::uint64_t*>(found) = std::wcstoull(name + std::size(kMarkPrefix) - 1, nullptr, 16);
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

bool LetThroughMessageFilter(HWND window) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  using FilterForWindow = BOOL(WINAPI*)(HWND, UINT, DWORD, PCHANGEFILTERSTRUCT);
  using FilterForProcess = BOOL(WINAPI*)(UINT, DWORD);
  const auto forWindow = reinterpret_cast<FilterForWindow>(
      reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilterEx")));
  const auto forProcess = reinterpret_cast<FilterForProcess>(
      reinterpret_cast<void*>(GetProcAddress(user32, "ChangeWindowMessageFilter")));
  bool through = forWindow || forProcess;
  for (const UINT message : {ShowRequestMessage(), TaskbarCreatedMessage()}) {
    if (forWindow) {
      through = forWindow(window, message, MSGFLT_ALLOW, nullptr) && through;
    } else if (forProcess) {
      through = forProcess(message, MSGFLT_ADD) && through;
    }
  }
  return through;
}

// A message box is a dialog of the system's class.
static BOOL CALLBACK BringBoxForward(HWND hwnd, LPARAM) {
  wchar_t name[16] = {};
  GetClassNameW(hwnd, name, 16);
  if (std::wcscmp(name, L"#32770") != 0 || !IsWindowVisible(hwnd)) return TRUE;
  SetForegroundWindow(hwnd);
  return FALSE;
}

void BringOpenBoxForward() { EnumThreadWindows(GetCurrentThreadId(), BringBoxForward, 0); }

std::wstring FolderObjectName(std::uint64_t key) {
  wchar_t name[64];
  std::swprintf(name, 64, L"Local\\Morvex-%016llx", static_cast<unsigned long long>(key));
  return name;
}

services::FolderObject FolderCopy::CreateObject() {
  HANDLE mutex = CreateMutexW(nullptr, TRUE, FolderObjectName(key_).c_str());
  const DWORD error = GetLastError();
  mutex_.reset(mutex);
  if (mutex) return error == ERROR_ALREADY_EXISTS ? services::FolderObject::kHeld : services::FolderObject::kOwn;
  return error == ERROR_ACCESS_DENIED ? services::FolderObject::kDenied : services::FolderObject::kUnavailable;
}

bool FolderCopy::WaitForObject(int ms) {
  if (!mutex_) {
    Sleep(static_cast<DWORD>(ms));
    return false;
  }
  // The mutex is had only once the other copy has ended.
  const DWORD ended = WaitForSingleObject(mutex_.get(), static_cast<DWORD>(ms));
  return ended == WAIT_OBJECT_0 || ended == WAIT_ABANDONED;
}

bool FolderCopy::AskToShow(std::uintptr_t window) {
  HWND first = reinterpret_cast<HWND>(window);
  DWORD process = 0;
  GetWindowThreadProcessId(first, &process);
  AllowSetForegroundWindow(process);
  // Refused where the message filter of a copy with higher rights keeps it out.
  return PostMessageW(first, ShowRequestMessage(), 0, 0) != FALSE;
}

std::wstring FolderMarkName(std::uint64_t key) {
  wchar_t name[48];
  std::swprintf(name, 48, L"%ls%016llx", kMarkPrefix, static_cast<unsigned long long>(key));
  return name;
}

std::uint64_t MarkedFolderKey(HWND window) {
  std::uint64_t key = 0;
  EnumPropsExW(window, ReadMark, reinterpret_cast<LPARAM>(&key));
  return key;
}

void FolderCopy::MarkMainWindow(HWND window) const {
  SetPropW(window, FolderMarkName(key_).c_str(), reinterpret_cast<HANDLE>(1));
  LetThroughMessageFilter(window);
}

std::uintptr_t FolderCopy::FindRunningWindow() {
  MarkSearch search{FolderMarkName(key_), nullptr};
  EnumWindows(FindMarked, reinterpret_cast<LPARAM>(&search));
  return reinterpret_cast<std::uintptr_t>(search.found);
}

}  // namespace morvex::win32
