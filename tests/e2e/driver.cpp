#include "e2e/driver.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "forms/window_tables.h"

namespace morvex::e2e {

int IdOf(const std::string& window, const std::string& control, int index) {
  const ui::WindowDef& def = window == "Form1"   ? forms::Form1Def()
                             : window == "Form2" ? forms::Form2Def()
                             : window == "DeskR" ? forms::DeskRDef()
                                                 : forms::FrmDummyDef();
  for (std::size_t i = 0; i < def.controls.size(); ++i) {
    if (def.controls[i].name == control && def.controls[i].index == index) {
      return ui::kFirstControlId + static_cast<int>(i);
    }
  }
  throw std::out_of_range("no control " + control + " in " + window);
}

std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
  return out;
}

std::string Narrow(const std::wstring& wide) {
  if (wide.empty()) return {};
  const int n =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
  return out;
}

bool WaitFor(const std::function<bool()>& condition, int boundMs) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(boundMs);
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() > end) return false;
    Sleep(50);
  }
}

std::string ReadFileBytes(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(path.c_str(), std::ios::binary | std::ios::trunc);
  out << bytes;
}

bool FileExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

namespace {

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + L"\\" + name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        DeleteFileW(path.c_str());
      }
    } while (FindNextFileW(find, &data));
    FindClose(find);
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace

namespace {

struct TipCount {
  DWORD shell;
  int tools;
};

BOOL CALLBACK CountShellTips(HWND hwnd, LPARAM lp) {
  auto* count = reinterpret_cast<TipCount*>(lp);
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == count->shell && wcscmp(name, TOOLTIPS_CLASSW) == 0) {
    DWORD_PTR tools = 0;
    if (SendMessageTimeoutW(hwnd, TTM_GETTOOLCOUNT, 0, 0, SMTO_ABORTIFHUNG, 5000, &tools)) {
      count->tools += static_cast<int>(tools);
    }
  }
  return TRUE;
}

}  // namespace

int ShellTrayIcons() {
  HWND tray = FindWindowW(L"Shell_TrayWnd", nullptr);
  TipCount count{0, 0};
  if (!tray || !GetWindowThreadProcessId(tray, &count.shell)) return 0;
  EnumWindows(CountShellTips, reinterpret_cast<LPARAM>(&count));
  return count.tools;
}

std::wstring ProgramFolder() {
  const char* dir = std::getenv("MORVEX_EXE_DIR");
  if (!dir) return L".";
  std::wstring path = Widen(dir);
  if (!path.empty() && path[0] == L'/') {
    for (auto& c : path) c = c == L'/' ? L'\\' : c;
    path = L"Z:" + path;
  }
  return path;
}

std::wstring FreshFolder(const std::string& name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"morvex-e2e-" + Widen(name);
  RemoveTree(folder);
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

HelperProcess::HelperProcess(const std::wstring& exeName) {
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  const std::wstring path = ProgramFolder() + L"\\" + exeName;
  std::wstring command = L"\"" + path + L"\"";
  if (!CreateProcessW(path.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_)) {
    pi_ = {};
  }
}

HelperProcess::~HelperProcess() {
  if (!pi_.hProcess) return;
  TerminateProcess(pi_.hProcess, 1);
  WaitForSingleObject(pi_.hProcess, 5000);
  CloseHandle(pi_.hProcess);
  CloseHandle(pi_.hThread);
}

Morvex::Morvex(std::wstring folder, std::wstring exeName, bool copy)
    : folder_(std::move(folder)), exeName_(std::move(exeName)) {
  if (!copy) return;
  const std::wstring from = ProgramFolder();
  CopyFileW((from + L"\\morvex.exe").c_str(), PathOf(exeName_).c_str(), FALSE);
  CopyFileW((from + L"\\thx.wav").c_str(), PathOf(L"thx.wav").c_str(), FALSE);
}

Morvex::~Morvex() {
  if (Running()) Kill();
  if (pi_.hProcess) CloseHandle(pi_.hProcess);
  if (pi_.hThread) CloseHandle(pi_.hThread);
}

bool ProcessRuns(const std::wstring& imageName) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry)) {
    found = lstrcmpiW(entry.szExeFile, imageName.c_str()) == 0;
  }
  CloseHandle(snapshot);
  return found;
}

bool Morvex::Start(bool waitForWindow) {
  InstallTaskkillStandIn();
  SetEnvironmentVariableW(L"MORVEX_E2E_TASKKILL_CALLS", PathOf(L"taskkill-calls.txt").c_str());
  STARTUPINFOW si{};
  si.cb = sizeof(si);
  std::wstring command = L"\"" + PathOf(exeName_) + L"\"";
  if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &si, &pi_)) {
    return false;
  }
  if (!waitForWindow) return true;
  return WaitFor([this] { return Form1() != nullptr; }, 30000);
}

bool Morvex::WaitUntilShown() const {
  if (!WaitFor([this] { HWND form = Form1(); return form && IsWindowVisible(form); }, 30000)) return false;
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(Form1(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 15000, &result) != 0 && LaterControlsMade();
}

bool Morvex::Running() const { return pi_.hProcess && WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

bool Morvex::WaitForExit(int boundMs) {
  return pi_.hProcess && WaitForSingleObject(pi_.hProcess, static_cast<DWORD>(boundMs)) == WAIT_OBJECT_0;
}

void Morvex::SuspendThreads(bool suspend) const {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID != pi_.dwProcessId) continue;
    if (HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID)) {
      if (suspend) {
        SuspendThread(thread);
      } else {
        ResumeThread(thread);
      }
      CloseHandle(thread);
    }
  }
  CloseHandle(snapshot);
}

void Morvex::Kill() {
  TerminateProcess(pi_.hProcess, 1);
  WaitForSingleObject(pi_.hProcess, 5000);
}

}  // namespace morvex::e2e
