// A stand-in for TASKKILL in the end-to-end tests. Where the system's TASKKILL
// lacks /T (Wine 8's), the tests put this program first on the PATH of
// morvex.exe: it drops /T, notes the arguments it passes on in
// taskkill-calls.txt in its working folder, and runs the system's TASKKILL
// with them, returning its exit code. With MORVEX_E2E_TASKKILL_ENDS_NOTHING
// set in its environment it only notes them and ends nothing, so that a test
// sees what the management service ends alone.
#include <windows.h>
#include <shellapi.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return 1;
  std::wstring arguments;
  for (int i = 1; i < argc; ++i) {
    if (lstrcmpiW(argv[i], L"/T") == 0) continue;
    arguments += L" \"";
    arguments += argv[i];
    arguments += L"\"";
  }
  LocalFree(argv);

  HANDLE calls = CreateFileW(L"taskkill-calls.txt", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (calls != INVALID_HANDLE_VALUE) {
    const std::wstring line = arguments + L"\r\n";
    const int n = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string bytes(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, line.c_str(), static_cast<int>(line.size()), bytes.data(), n, nullptr, nullptr);
    DWORD written = 0;
    WriteFile(calls, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(calls);
  }

  if (GetEnvironmentVariableW(L"MORVEX_E2E_TASKKILL_ENDS_NOTHING", nullptr, 0) > 0) return 0;

  wchar_t system[MAX_PATH];
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  const std::wstring program = std::wstring(system, length) + L"\\taskkill.exe";
  std::wstring command = L"\"" + program + L"\"" + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    return 1;
  }
  WaitForSingleObject(info.hProcess, INFINITE);
  DWORD code = 1;
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hProcess);
  CloseHandle(info.hThread);
  return static_cast<int>(code);
}
