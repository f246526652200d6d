#include "win32/services.h"

#include <shellapi.h>

#include <map>
#include <set>

#include "win32/account.h"
#include "win32/handles.h"
#include "win32/processes.h"
#include "win32/text.h"

namespace morvex::win32 {

void Win32MessageBoxes::Show(const std::string& text, const std::string& title, int style) {
  const bool owned = main_ && IsWindowVisible(main_);
  const UINT flags = static_cast<UINT>(style) | (owned ? 0 : MB_TASKMODAL) | MB_SETFOREGROUND;
  MessageBoxW(owned ? main_ : nullptr, Widen(text).c_str(), Widen(title).c_str(), flags);
}

void Win32Shell::Execute(std::uintptr_t window, const std::string& operation, const std::string& file,
                         const std::string& parameters, const std::string& directory, int show) {
  ShellExecuteW(reinterpret_cast<HWND>(window), Widen(operation).c_str(), Widen(file).c_str(),
                Widen(parameters).c_str(), Widen(directory).c_str(), show);
}

std::string Win32Shell::OpenAsDesktopUser(const std::string& file) { return OpenThroughDesktopShell(file); }

namespace {

// FILETIME counts 100 ns from 1601-01-01; an Instant counts ms from 1970-01-01.
constexpr std::int64_t kFileTimeAt1970 = 116444736000000000LL;
constexpr std::int64_t kFileTimePerMs = 10000;

}  // namespace

services::Instant Win32Clock::Now() {
  FILETIME now;
  GetSystemTimeAsFileTime(&now);
  const std::int64_t ticks =
      static_cast<std::int64_t>((static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
  return (ticks - kFileTimeAt1970) / kFileTimePerMs;
}

services::LocalTime Win32Clock::LocalAt(services::Instant instant) {
  const auto ticks = static_cast<std::uint64_t>(instant * kFileTimePerMs + kFileTimeAt1970);
  const FILETIME at{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  SYSTEMTIME utc{};
  SYSTEMTIME local{};
  FileTimeToSystemTime(&at, &utc);
  // The current time zone, with daylight saving time as its rules give it
  // for that date.
  if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) local = utc;
  return {local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond, local.wMilliseconds};
}

std::int64_t Win32Clock::Elapsed() { return static_cast<std::int64_t>(GetTickCount64()); }

std::string Win32Files::ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return Narrow(path);
    }
    path.resize(path.size() * 2);
  }
}

std::string Win32Files::AppFolder() {
  return Narrow(FolderOf(Widen(ExecutablePath())));
}

bool Win32Files::IsOrdinaryFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesW(Widen(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) == 0;
}

bool Win32Files::Exists(const std::string& path) {
  return GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

services::ReadResult Win32Files::Read(const std::string& path) {
  services::ReadResult result;
  const UniqueHandle file(CreateFileW(Widen(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    result.ok = false;
    result.error = ErrorText(GetLastError());
    return result;
  }
  char buffer[65536];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
      result.ok = false;
      result.error = ErrorText(GetLastError());
      break;
    }
    if (got == 0) break;
    result.bytes.append(buffer, got);
  }
  return result;
}

services::FileResult Win32Files::Replace(const std::string& path, const std::string& bytes) {
  const std::wstring target = Widen(path);
  const std::wstring temp = target + L".neu";
  const auto fail = [&](DWORD code) {
    DeleteFileW(temp.c_str());
    return services::FileResult{false, ErrorText(code)};
  };
  UniqueHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return fail(GetLastError());
  DWORD written = 0;
  const BOOL ok =
      bytes.empty() || WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  const DWORD writeError = GetLastError();
  const BOOL flushed = FlushFileBuffers(file.get());
  file.reset();  // closed before the new file takes the old one's place
  if (!ok || written != bytes.size()) return fail(ok ? ERROR_HANDLE_DISK_FULL : writeError);
  if (!flushed) return fail(GetLastError());
  // A read-only target must not be replaced behind the user's back.
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    return fail(ERROR_ACCESS_DENIED);
  }
  // An existing file is replaced keeping its attributes and access rights
  // (ReplaceFileW); a new one is the written file, moved into place.
  const bool replaced =
      attributes != INVALID_FILE_ATTRIBUTES
          ? ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
          : MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!replaced) {
    const DWORD code = GetLastError();
    services::FileResult result = fail(code);
    // Held open by another program without delete sharing: it may let go
    // in a moment.
    result.momentary = code == ERROR_SHARING_VIOLATION || code == ERROR_ACCESS_DENIED ||
                       code == ERROR_LOCK_VIOLATION || code == ERROR_UNABLE_TO_REMOVE_REPLACED;
    return result;
  }
  return {};
}

std::string Win32CodePage::ToAnsi(const std::string& utf8) { return win32::ToAnsi(utf8); }
std::optional<std::string> Win32CodePage::ToAnsiExactly(const std::string& utf8) {
  return win32::ToCodePageExactly(CP_ACP, utf8);
}
std::string Win32CodePage::FromAnsi(const std::string& ansi) { return win32::FromAnsi(ansi); }

static_assert(services::kOkOnly == MB_OK && services::kCritical == MB_ICONERROR &&
              services::kExclamation == MB_ICONEXCLAMATION && services::kInformation == MB_ICONINFORMATION);
static_assert(services::kShowNormal == SW_SHOWNORMAL);
static_assert(services::kTopmost == MB_TOPMOST);

void Win32Lifetime::EndProgram() { ExitProcess(0); }

std::uint32_t Win32Lifetime::ProcessId() { return GetCurrentProcessId(); }

namespace {

// The running processes by their identifiers.
std::map<DWORD, RunningProcess> RunningProcessesById() {
  std::map<DWORD, RunningProcess> processes;
  for (RunningProcess& process : RunningProcesses()) processes[process.id] = std::move(process);
  return processes;
}

}  // namespace

std::string Win32Lifetime::ImageName() {
  if (!imageName_.empty()) return imageName_;
  const std::map<DWORD, RunningProcess> processes = RunningProcessesById();
  if (const auto own = processes.find(GetCurrentProcessId()); own != processes.end()) {
    imageName_ = own->second.imageName;
  }
  if (imageName_.empty()) {
    const std::string path = Win32Files().ExecutablePath();
    imageName_ = path.substr(path.find_last_of("\\/") + 1);
  }
  return imageName_;
}

std::vector<std::string> Win32Lifetime::AncestorImageNames() {
  // Followed as the list links them, as TASKKILL's /T follows them: a parent
  // that has ended and whose identifier a later process took counts as well.
  const std::map<DWORD, RunningProcess> processes = RunningProcessesById();
  std::vector<std::string> names;
  std::set<DWORD> seen{GetCurrentProcessId()};
  auto at = processes.find(GetCurrentProcessId());
  while (at != processes.end() && seen.insert(at->second.parent).second) {
    at = processes.find(at->second.parent);
    if (at != processes.end()) names.push_back(at->second.imageName);
  }
  return names;
}

void Win32Pause::Sleep(int ms) { ::Sleep(static_cast<DWORD>(ms)); }

}  // namespace morvex::win32
