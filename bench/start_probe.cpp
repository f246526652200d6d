// Starts one program and times it, for bench/startup.sh:
//
//   mvx_start_probe.exe PROGRAM STOPFILE   starts PROGRAM in its own folder and
//       prints one line
//         pid=<id> visible_ms=<ms> probe_created=<s>
//       where visible_ms runs from just before CreateProcess to the moment a
//       top-level window of the program's main thread is visible (has
//       WS_VISIBLE: its ShowWindow has begun; painting follows), and
//       probe_created is the moment the probe's own process was created, in
//       seconds since 1970 (the caller compares it with the moment it ran
//       `wine`). Then it keeps the program running until STOPFILE exists, and
//       ends it.
//   mvx_start_probe.exe --hold STOPFILE    waits until STOPFILE exists, so
//       that the Wine session (wineserver, the desktop) stays up between the
//       starts being timed, as the desktop does on Windows.
//
// The window is looked for every millisecond with one EnumThreadWindows,
// which asks the window system little while the program starts.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

bool Exists(const wchar_t* path) { return GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES; }

void WaitForFile(const wchar_t* path, HANDLE process) {
  while (!Exists(path)) {
    if (process && WaitForSingleObject(process, 0) == WAIT_OBJECT_0) return;
    Sleep(100);
  }
}

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM found) {
  if (!IsWindowVisible(hwnd)) return TRUE;
  *reinterpret_cast<bool*>(found) = true;
  return FALSE;
}

// The moment this process was created, in seconds since 1970.
double CreatedUnixSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  const ULONGLONG ticks = (ULONGLONG{created.dwHighDateTime} << 32) | created.dwLowDateTime;
  return static_cast<double>(ticks) / 1e7 - 11644473600.0;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 3 && std::wstring(argv[1]) == L"--hold") {
    WaitForFile(argv[2], nullptr);
    return 0;
  }
  if (argc != 3) {
    std::fprintf(stderr, "usage: mvx_start_probe PROGRAM STOPFILE | --hold STOPFILE\n");
    return 2;
  }
  const std::wstring program = argv[1];
  std::wstring folder = program.substr(0, program.find_last_of(L"\\/") + 1);
  std::wstring commandLine = L"\"" + program + L"\"";

  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info{};
  LARGE_INTEGER start, visible;
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
    std::fprintf(stderr, "cannot start the program (error %lu)\n", GetLastError());
    return 1;
  }
  bool shown = false;
  for (int polls = 0; !shown; ++polls) {
    EnumThreadWindows(info.dwThreadId, FindVisible, reinterpret_cast<LPARAM>(&shown));
    if (shown) break;
    if (polls > 60000 || WaitForSingleObject(info.hProcess, 0) == WAIT_OBJECT_0) {
      std::fprintf(stderr, "no visible window\n");
      TerminateProcess(info.hProcess, 1);
      return 1;
    }
    Sleep(1);
  }
  QueryPerformanceCounter(&visible);
  std::printf("pid=%lu visible_ms=%.1f probe_created=%.4f\n", info.dwProcessId, Milliseconds(start, visible),
              CreatedUnixSeconds());
  std::fflush(stdout);

  WaitForFile(argv[2], info.hProcess);
  TerminateProcess(info.hProcess, 0);
  WaitForSingleObject(info.hProcess, 10000);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return 0;
}
