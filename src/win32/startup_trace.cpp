#include "win32/startup_trace.h"

#include <psapi.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "ui/startup_trace.h"

namespace morvex {
namespace {

struct Note {
  std::string step;
  LARGE_INTEGER at;
  SIZE_T workingSet;
};

struct Trace {
  std::vector<Note> notes;
  double createdMs = 0;  // from the process's creation to the first note
  bool written = false;
};

Trace& TheTrace() {
  static Trace trace;
  return trace;
}

ULONGLONG Ticks(const FILETIME& time) { return (ULONGLONG{time.dwHighDateTime} << 32) | time.dwLowDateTime; }

// The system time in 100 ns units, as precise as the system offers it.
ULONGLONG Now() {
  using PreciseFn = void(WINAPI*)(LPFILETIME);
  static const auto precise = reinterpret_cast<PreciseFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetSystemTimePreciseAsFileTime")));
  FILETIME now;
  if (precise) {
    precise(&now);
  } else {
    GetSystemTimeAsFileTime(&now);
  }
  return Ticks(now);
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Write(const Trace& trace) {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring file(path, n);
  file = file.substr(0, file.find_last_of(L'\\') + 1) + L"startup-trace.txt";
  FILE* out = _wfopen(file.c_str(), L"w");
  if (!out) return;
  std::fprintf(out, "%10s %9s %8s  %s\n", "since_ms", "step_ms", "ws_kb", "step (ms since the process was created)");
  std::fprintf(out, "%10.1f %9.1f %8s  %s\n", 0.0, 0.0, "-", "process created");
  double previous = 0;
  for (const Note& note : trace.notes) {
    const double at = trace.createdMs + Milliseconds(trace.notes.front().at, note.at);
    std::fprintf(out, "%10.1f %9.1f %8zu  %s\n", at, at - previous, note.workingSet / 1024, note.step.c_str());
    previous = at;
  }
  std::fclose(out);
}

}  // namespace

namespace ui {

void NoteStartupStep(const std::string& step) {
  Trace& trace = TheTrace();
  if (trace.written) return;
  Note note{step, {}, 0};
  QueryPerformanceCounter(&note.at);
  if (trace.notes.empty()) {
    const ULONGLONG now = Now();
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    trace.createdMs = static_cast<double>(now - Ticks(created)) / 10000.0;
    trace.notes.reserve(64);
  }
  PROCESS_MEMORY_COUNTERS memory{};
  if (GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof(memory))) note.workingSet = memory.WorkingSetSize;
  trace.notes.push_back(std::move(note));
}

}  // namespace ui

namespace win32 {

void FinishStartupTrace(HWND main) {
  MSG msg;
  bool painted = false;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!IsDialogMessageW(main, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    if (msg.message == WM_PAINT && !painted) {
      painted = true;
      ui::NoteStartupStep("first WM_PAINT handled");
    }
  }
  ui::NoteStartupStep("message queue empty: waiting for input");
  Write(TheTrace());
  TheTrace().written = true;
}

}  // namespace win32
}  // namespace morvex
