// How long a kill-list run takes under Windows (or Wine), beside the least a
// run could take: for 1, 4 and 10 names with two processes each, the time
// from the click on "Taskprozesse in der Liste jetzt manuell Beenden" until
// its handler has returned (the click is sent, so it returns with the
// handler), against one TASKKILL call naming them all (started and waited
// for) and against the floor: one snapshot, then each process's own
// termination, waited for. Each way starts from the same processes; every
// figure is the median of several rounds. Prints a table and the ratios.
//
//   mvx_kill_run_timing.exe [ROUNDS]
//
// morvex.exe and the test programs are taken from MORVEX_EXE_DIR, as the
// end-to-end suite takes them (bench/kill_run.sh sets it up).
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "e2e/driver.h"

namespace {

using namespace morvex::e2e;

constexpr int kCopies = 2;

std::wstring NameOf(int i) { return L"mvxb_" + std::to_wstring(i) + L".exe"; }

double Now() {
  static LARGE_INTEGER frequency{};
  if (frequency.QuadPart == 0) QueryPerformanceFrequency(&frequency);
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// The processes of the bench's names, by identifier.
std::vector<DWORD> Running(int names) {
  std::vector<DWORD> ids;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    for (int i = 0; i < names; ++i) {
      if (_wcsicmp(entry.szExeFile, NameOf(i).c_str()) == 0) ids.push_back(entry.th32ProcessID);
    }
  }
  CloseHandle(snapshot);
  return ids;
}

// Starts two processes of each name from the copies in `folder` and waits
// until all of them are seen.
bool StartProcesses(const std::wstring& folder, int names) {
  for (int i = 0; i < names; ++i) {
    for (int copy = 0; copy < kCopies; ++copy) {
      const std::wstring path = folder + L"\\" + NameOf(i);
      std::wstring command = L"\"" + path + L"\"";
      STARTUPINFOW si{};
      si.cb = sizeof si;
      PROCESS_INFORMATION pi{};
      if (!CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        return false;
      }
      CloseHandle(pi.hThread);
      CloseHandle(pi.hProcess);
    }
  }
  return WaitFor([&] { return static_cast<int>(Running(names).size()) == names * kCopies; }, 30000);
}

bool AllGone(int names) {
  return WaitFor([&] { return Running(names).empty(); }, 30000);
}

// One TASKKILL call naming every name, started and waited for.
double OneTaskkillCall(int names) {
  wchar_t system[MAX_PATH];
  GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring path = std::wstring(system) + L"\\taskkill.exe";
  std::wstring command = L"\"" + path + L"\" /F";
  for (int i = 0; i < names; ++i) command += L" /IM " + NameOf(i);
  const double start = Now();
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &si,
                      &pi)) {
    return -1;
  }
  WaitForSingleObject(pi.hProcess, INFINITE);
  const double took = Now() - start;
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return took;
}

// One snapshot, then each process ended through its own handle and waited for.
double Floor(int names) {
  const double start = Now();
  std::vector<HANDLE> handles;
  for (const DWORD id : Running(names)) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
    if (!process) continue;
    TerminateProcess(process, 1);
    handles.push_back(process);
  }
  for (HANDLE process : handles) {
    WaitForSingleObject(process, INFINITE);
    CloseHandle(process);
  }
  return Now() - start;
}

// Morvex's run: the kill list written before the start, the click sent.
double MorvexRun(Morvex& app) {
  const double start = Now();
  DWORD_PTR result = 0;
  SendMessageTimeoutW(app.Control("Command2"), BM_CLICK, 0, 0, SMTO_NORMAL, 120000, &result);
  return Now() - start;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? -1 : values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int rounds = argc > 1 ? std::max(1, _wtoi(argv[1])) : 5;
  const int counts[] = {1, 4, 10};
  std::printf("Kill-list run: %d names of %d processes each, medians of %d rounds (ms)\n", 10, kCopies, rounds);
  std::printf("%-44s %10s %10s %10s\n", "way of ending them", "1 name", "4 names", "10 names");
  double run[3] = {}, call[3] = {}, floor[3] = {};
  for (int c = 0; c < 3; ++c) {
    const int names = counts[c];
    const std::wstring folder = FreshFolder("kill-run-bench-" + std::to_string(names));
    std::string list;
    for (int i = 0; i < names; ++i) {
      CopyFileW((ProgramFolder() + L"\\e2e_idle.exe").c_str(), (folder + L"\\" + NameOf(i)).c_str(), FALSE);
      list += Narrow(NameOf(i)) + "\r\n";
    }
    std::vector<double> runs, calls, floors;
    {
      Morvex app(folder);
      WriteFileBytes(app.PathOf(L"List2.txt"), list);
      if (!app.Start() || !app.WaitUntilShown()) {
        std::fprintf(stderr, "morvex.exe did not start\n");
        return 1;
      }
      for (int r = 0; r < rounds; ++r) {
        if (!StartProcesses(folder, names)) return 1;
        runs.push_back(MorvexRun(app));
        if (!AllGone(names)) {
          std::fprintf(stderr, "the run left processes of the list running\n");
          return 1;
        }
      }
      app.Kill();
    }
    for (int r = 0; r < rounds; ++r) {
      if (!StartProcesses(folder, names)) return 1;
      calls.push_back(OneTaskkillCall(names));
      if (!AllGone(names)) return 1;
      if (!StartProcesses(folder, names)) return 1;
      floors.push_back(Floor(names));
      if (!AllGone(names)) return 1;
    }
    run[c] = Median(runs);
    call[c] = Median(calls);
    floor[c] = Median(floors);
  }
  std::printf("%-44s %10.0f %10.0f %10.0f\n", "Morvex, Command2 (until the handler returns)", run[0], run[1], run[2]);
  std::printf("%-44s %10.0f %10.0f %10.0f\n", "one TASKKILL call naming them all", call[0], call[1], call[2]);
  std::printf("%-44s %10.0f %10.0f %10.0f\n", "one snapshot, each process's own termination", floor[0], floor[1],
              floor[2]);
  std::printf("run / one TASKKILL call: %.1f, %.1f, %.1f\n", run[0] / call[0], run[1] / call[1], run[2] / call[2]);
  std::printf("each name beyond the first adds: %.0f ms\n", (run[2] - run[0]) / 9);
  return 0;
}
