// A program that only waits, so that a test can have processes of a known
// image name running. It ends by itself after ten minutes at the latest.
// `e2e_idle.exe PROGRAM` first starts PROGRAM as its child: a parent and a
// child of different names, for TASKKILL's /T.
#include <windows.h>

#include <string>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR args, int) {
  PROCESS_INFORMATION child{};
  if (args && *args) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring command = L"\"" + std::wstring(args) + L"\"";
    if (CreateProcessW(args, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &child)) {
      CloseHandle(child.hThread);
      CloseHandle(child.hProcess);
    }
  }
  Sleep(10 * 60 * 1000);
  return 0;
}
