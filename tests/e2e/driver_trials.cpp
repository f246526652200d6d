// The trials of the system's TASKKILL (does it know /T, does one call end
// every process of a name), and the stand-in the driver puts in its place.
#include <windows.h>
#include <tlhelp32.h>

#include <string>

#include "e2e/driver.h"

namespace morvex::e2e {

namespace {

// Ends every process of the image name, by its ID.
void EndAll(const std::wstring& imageName) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry)) {
    if (lstrcmpiW(entry.szExeFile, imageName.c_str()) != 0) continue;
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
      TerminateProcess(process, 1);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  }
  CloseHandle(snapshot);
}

// Runs a command line hidden and waits for it; its exit code, or -1.
long RunHidden(const std::wstring& program, std::wstring command) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION pi{};
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                      &si, &pi)) {
    return -1;
  }
  CloseHandle(pi.hThread);
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(pi.hProcess, 30000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
  GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hProcess);
  return static_cast<long>(code);
}

// Starts a program with its arguments; its process handle, or nullptr.
HANDLE StartProcess(const std::wstring& program, const std::wstring& arguments = L"") {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring command = L"\"" + program + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
  if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    return nullptr;
  }
  CloseHandle(pi.hThread);
  return pi.hProcess;
}

std::wstring SystemFolder() {
  wchar_t system[MAX_PATH];
  const UINT length = GetSystemDirectoryW(system, MAX_PATH);
  return std::wstring(system, length);
}

// Wine's own TASKKILL, kept under a name of its own before the stand-in takes
// the system's name (the prefix outlives a run: copied once).
std::wstring WineTaskkill() {
  const std::wstring kept = SystemFolder() + L"\\mvx_wine_taskkill.exe";
  if (!FileExists(kept)) CopyFileW((SystemFolder() + L"\\taskkill.exe").c_str(), kept.c_str(), TRUE);
  return kept;
}

// The second trial: two processes of one name, and the system's TASKKILL
// asked once to end that name (Windows ends every one; Wine 10's one a call).
void TryTwins(const std::wstring& folder, const std::wstring& idle, TaskkillAbilities& result) {
  const std::wstring twin = folder + L"\\mvx_probe_twin.exe";
  if (!CopyFileW(idle.c_str(), twin.c_str(), FALSE)) return;
  int started = 0;
  for (int i = 0; i < 2; ++i) {
    if (HANDLE process = StartProcess(twin)) {
      CloseHandle(process);
      ++started;
    }
  }
  if (started == 2) {
    const std::wstring taskkill = WineTaskkill();
    RunHidden(taskkill, L"\"" + taskkill + L"\" /F /IM mvx_probe_twin.exe");
    result.endsEveryOne = WaitFor([] { return !ProcessRuns(L"mvx_probe_twin.exe"); }, 5000);
    result.why += result.endsEveryOne ? "; one call ended both of two processes of one name"
                                      : "; one call ended only one of two processes of one name";
  }
  EndAll(L"mvx_probe_twin.exe");
}

// The trial: a parent and its child, of names nothing else carries, and the
// system's TASKKILL asked to end the parent with /T.
TaskkillAbilities TryTaskkill() {
  const std::wstring folder = FreshFolder("probe-taskkill");
  const std::wstring parent = folder + L"\\mvx_probe_parent.exe";
  const std::wstring child = folder + L"\\mvx_probe_child.exe";
  const std::wstring idle = ProgramFolder() + L"\\e2e_idle.exe";
  TaskkillAbilities result;
  if (!CopyFileW(idle.c_str(), parent.c_str(), FALSE) || !CopyFileW(idle.c_str(), child.c_str(), FALSE)) {
    result.why = "the trial's programs could not be copied";
    return result;
  }
  const HANDLE parentProcess = StartProcess(parent, child);
  if (!parentProcess) {
    result.why = "the trial's parent could not be started";
    return result;
  }
  if (!WaitFor([&] { return ProcessRuns(L"mvx_probe_child.exe"); }, 15000)) {
    result.why = "the trial's child did not start";
  } else {
    const std::wstring taskkill = WineTaskkill();
    const long code = RunHidden(taskkill, L"\"" + taskkill + L"\" /F /IM mvx_probe_parent.exe /T");
    const bool parentEnded = WaitForSingleObject(parentProcess, 5000) == WAIT_OBJECT_0;
    const bool childEnded = WaitFor([] { return !ProcessRuns(L"mvx_probe_child.exe"); }, 5000);
    result.knowsTree = code == 0 && parentEnded && childEnded;
    if (result.knowsTree) {
      result.why = "the system's TASKKILL knows /T: it ended a parent and its child";
    } else {
      result.why = "the system's TASKKILL lacks /T: given it, it exited with " + std::to_string(code) + ", the parent " +
                   (parentEnded ? "ended" : "went on") + ", the child " + (childEnded ? "ended" : "went on");
    }
  }
  TerminateProcess(parentProcess, 1);
  WaitForSingleObject(parentProcess, 5000);
  CloseHandle(parentProcess);
  EndAll(L"mvx_probe_child.exe");
  TryTwins(folder, idle, result);
  return result;
}

}  // namespace

const TaskkillAbilities& SystemTaskkill() {
  static const TaskkillAbilities abilities = TryTaskkill();
  return abilities;
}

void InstallTaskkillStandIn() {
  static const bool installed = [] {
    const bool knowsTree = SystemTaskkill().knowsTree;  // tried on Wine's own first
    CopyFileW((ProgramFolder() + L"\\taskkill.exe").c_str(), (SystemFolder() + L"\\taskkill.exe").c_str(), FALSE);
    // Wine's override, in the prefix's registry (a Windows program's
    // environment does not reach the loader of the programs it starts).
    const wchar_t native[] = L"native";
    RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\DllOverrides", L"taskkill.exe", REG_SZ, native,
                    sizeof native);
    SetEnvironmentVariableW(L"MORVEX_E2E_TASKKILL_NO_TREE", knowsTree ? nullptr : L"1");
    SetEnvironmentVariableW(L"MORVEX_E2E_TASKKILL_ONE_A_CALL", SystemTaskkill().endsEveryOne ? nullptr : L"1");
    return true;
  }();
  (void)installed;
}

StandInMode::StandInMode(const wchar_t* mode, const std::wstring& value) : mode_(mode) {
  SetEnvironmentVariableW(mode, value.empty() ? nullptr : value.c_str());
}
StandInMode::~StandInMode() { SetEnvironmentVariableW(mode_, nullptr); }

}  // namespace morvex::e2e
