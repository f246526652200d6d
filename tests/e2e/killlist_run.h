// What the tests of the kill-list run share: copies of the idle test program
// to end, a click on Command2 that waits for the run's end, and the calls the
// TASKKILL stand-in noted.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

#include "e2e/driver.h"

namespace morvex::e2e {

using Entries = std::vector<std::string>;

// The arguments morvex.exe started TASKKILL with, as the stand-in noted them:
// each call as one line of quoted arguments.
inline void ExpectStandInCall(const Morvex& app, const std::string& call) {
  const std::string calls = ReadFileBytes(app.PathOf(L"taskkill-calls.txt"));
  EXPECT_NE(calls.find(call), std::string::npos) << calls;
}

// A copy of the idle test program under a name nothing else carries.
inline constexpr char kTarget[] = "mvx_endme.exe";
inline constexpr wchar_t kWaitCaption[] = L"Bitte Warten.... Aktion wird ausgeführt !";

// Instances of the idle program, started from the application folder.
class Targets {
 public:
  Targets(const Morvex& app, int count, const std::string& name = kTarget) {
    const std::wstring path = app.PathOf(Widen(name));
    CopyFileW((ProgramFolder() + L"\\e2e_idle.exe").c_str(), path.c_str(), FALSE);
    for (int i = 0; i < count; ++i) {
      STARTUPINFOW si{};
      si.cb = sizeof si;
      PROCESS_INFORMATION pi{};
      std::wstring command = L"\"" + path + L"\"";
      if (CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        CloseHandle(pi.hThread);
        processes_.push_back(pi.hProcess);
      }
    }
  }
  ~Targets() {
    for (HANDLE process : processes_) {
      TerminateProcess(process, 1);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  }
  std::size_t Started() const { return processes_.size(); }
  bool AllEnded() const {
    for (HANDLE process : processes_) {
      if (WaitForSingleObject(process, 0) != WAIT_OBJECT_0) return false;
    }
    return true;
  }

 private:
  std::vector<HANDLE> processes_;
};

inline bool WaitWindowOpen(const Morvex& app) {
  for (HWND hwnd : app.TopWindows(false)) {
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);  // read without a message: the program is busy
    if (std::wstring(text) == kWaitCaption) return true;
  }
  return false;
}

// Clicks Command2 and returns when the run is over (the wait window has come
// and gone), with the milliseconds from the click to then; -1 on no run.
inline double RunKillList(const Morvex& app) {
  LARGE_INTEGER frequency, start, end;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&start);
  app.Click("Command2");
  if (!WaitFor([&] { return WaitWindowOpen(app); }, 15000)) return -1;
  // Polled finely: the figure is logged.
  const ULONGLONG bound = GetTickCount64() + 60000;
  while (WaitWindowOpen(app) && GetTickCount64() < bound) Sleep(5);
  QueryPerformanceCounter(&end);
  return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

}  // namespace morvex::e2e
