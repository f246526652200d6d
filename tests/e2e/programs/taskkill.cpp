// A stand-in for the system's TASKKILL in the end-to-end tests. The driver
// puts it in place of taskkill.exe in the system folder of the suite's own
// Wine prefix (loaded instead of Wine's builtin with the override
// taskkill.exe=n), so that morvex.exe, which starts the system's own TASKKILL
// by its full path, starts this one. It notes each call's arguments (all of
// them, each quoted, /T included) as one UTF-8 line in the file that
// MORVEX_E2E_TASKKILL_CALLS names, then, for a call of one name or several:
//  - with MORVEX_E2E_TASKKILL_REFUSE set to a name, refuses that name (ends
//    none of its processes, exits with 1, as TASKKILL refused access) and
//    does with the call's other names what follows;
//  - with MORVEX_E2E_TASKKILL_ENDS_NOTHING set, ends nothing and exits with 0;
//  - with MORVEX_E2E_TASKKILL_AFTER_SERVICE set, does what the management
//    service and Windows' TASKKILL do together there: the processes of the
//    name end alone (Wine's own, without /T), their children run on, and it
//    exits with 128, as TASKKILL finds them already gone;
//  - with MORVEX_E2E_TASKKILL_TAKES_MS set, first waits that many
//    milliseconds (a TASKKILL that takes its time);
//  - else hands the arguments to Wine's own TASKKILL, which the driver keeps
//    beside it as mvx_wine_taskkill.exe, without /T where
//    MORVEX_E2E_TASKKILL_NO_TREE is set (Wine 8's lacks it), and returns its
//    exit code; with MORVEX_E2E_TASKKILL_ONE_A_CALL set (Wine 10's ends one
//    process of a name a call, Windows' every one), calls it again while it
//    ended one, and returns the first call's exit code.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

std::wstring Variable(const wchar_t* name) {
  wchar_t value[32768];
  const DWORD n = GetEnvironmentVariableW(name, value, 32768);
  return n > 0 && n < 32768 ? std::wstring(value, n) : std::wstring();
}

void Note(const std::wstring& line) {
  const std::wstring path = Variable(L"MORVEX_E2E_TASKKILL_CALLS");
  if (path.empty()) return;
  HANDLE calls = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
  if (calls == INVALID_HANDLE_VALUE) return;
  const int n = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr,
                                    nullptr);
  std::string bytes(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), bytes.data(), n, nullptr, nullptr);
  DWORD written = 0;
  WriteFile(calls, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(calls);
}

// Runs a command line and waits for it; its exit code, 1 if it did not start.
DWORD Run(const std::wstring& program, std::wstring command) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                      &startup, &info)) {
    return 1;
  }
  WaitForSingleObject(info.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  return code;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return 1;
  const bool afterService = !Variable(L"MORVEX_E2E_TASKKILL_AFTER_SERVICE").empty();
  const bool noTree = afterService || !Variable(L"MORVEX_E2E_TASKKILL_NO_TREE").empty();
  const std::wstring refused = Variable(L"MORVEX_E2E_TASKKILL_REFUSE");
  std::wstring noted, passed;
  bool refuse = false, left = false;  // the refused name, another name
  for (int i = 1; i < argc; ++i) {
    const std::wstring argument = std::wstring(L" \"") + argv[i] + L"\"";
    noted += argument;
    const bool named = lstrcmpiW(argv[i], L"/IM") == 0 && i + 1 < argc;
    if (named && !refused.empty() && lstrcmpiW(argv[i + 1], refused.c_str()) == 0) {
      refuse = true;
      noted += std::wstring(L" \"") + argv[++i] + L"\"";
      continue;
    }
    left = left || named;
    if (!(noTree && lstrcmpiW(argv[i], L"/T") == 0)) passed += argument;
  }
  LocalFree(argv);
  Note(noted + L"\r\n");
  if (const std::wstring takes = Variable(L"MORVEX_E2E_TASKKILL_TAKES_MS"); !takes.empty()) {
    Sleep(static_cast<DWORD>(_wtoi(takes.c_str())));
  }
  if (!left || !Variable(L"MORVEX_E2E_TASKKILL_ENDS_NOTHING").empty()) return refuse ? 1 : 0;

  wchar_t system[MAX_PATH];
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring program = std::wstring(system, length) + L"\\mvx_wine_taskkill.exe";
  const bool oneACall = !Variable(L"MORVEX_E2E_TASKKILL_ONE_A_CALL").empty();
  const std::wstring command = L"\"" + program + L"\"" + passed;
  const DWORD first = Run(program, command);
  for (int again = 0; oneACall && first == 0 && again < 16; ++again) {
    if (Run(program, command) != 0) break;
  }
  return refuse ? 1 : afterService ? 128 : static_cast<int>(first);
}
