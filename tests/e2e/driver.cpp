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

struct FindData {
  DWORD pid;
  std::vector<HWND> found;
  bool visibleOnly;
};

BOOL CALLBACK CollectTop(HWND hwnd, LPARAM lp) {
  auto* data = reinterpret_cast<FindData*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == data->pid && (!data->visibleOnly || IsWindowVisible(hwnd))) data->found.push_back(hwnd);
  return TRUE;
}

struct ChildSearch {
  int id;
  HWND found;
};

BOOL CALLBACK FindChild(HWND hwnd, LPARAM lp) {
  auto* search = reinterpret_cast<ChildSearch*>(lp);
  if (GetDlgCtrlID(hwnd) == search->id) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
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

StandInThatEndsNothing::StandInThatEndsNothing() { SetEnvironmentVariableW(L"MORVEX_E2E_TASKKILL_ENDS_NOTHING", L"1"); }
StandInThatEndsNothing::~StandInThatEndsNothing() { SetEnvironmentVariableW(L"MORVEX_E2E_TASKKILL_ENDS_NOTHING", nullptr); }

StandInThatRefuses::StandInThatRefuses(const std::wstring& name) {
  SetEnvironmentVariableW(L"MORVEX_E2E_TASKKILL_REFUSE", name.c_str());
}
StandInThatRefuses::~StandInThatRefuses() { SetEnvironmentVariableW(L"MORVEX_E2E_TASKKILL_REFUSE", nullptr); }

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
  return SendMessageTimeoutW(Form1(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 15000, &result) != 0;
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

std::vector<HWND> Morvex::TopWindows(bool visibleOnly) const {
  FindData data{pi_.dwProcessId, {}, visibleOnly};
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&data));
  return data.found;
}

HWND Morvex::Form1() const {
  for (HWND hwnd : TopWindows(false)) {
    if (ClassOf(hwnd) == "MorvexForm" && GetDlgCtrlID(hwnd) == 0) {
      wchar_t caption[256];
      GetWindowTextW(hwnd, caption, 256);
      if (wcsncmp(caption, L"Morvex  (", 9) == 0) return hwnd;
    }
  }
  return nullptr;
}

HWND FindControl(HWND form, int id) {
  ChildSearch search{id, nullptr};
  if (form) EnumChildWindows(form, FindChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND Morvex::Control(int id) const { return FindControl(Form1(), id); }

bool Morvex::OpenOptions() const {
  HWND panel = Control("xpRollUpContainer1");
  const auto height = [panel] {
    RECT rect{};
    GetWindowRect(panel, &rect);
    return rect.bottom - rect.top;
  };
  const LONG closed = height();
  Click("xpButton6");
  // The page's windows are all made before the panel takes its open height.
  return WaitFor([&] { return height() > 2 * closed; });
}

std::string Morvex::ClassOf(HWND hwnd) const {
  wchar_t name[128] = {};
  GetClassNameW(hwnd, name, 128);
  return Narrow(name);
}

std::string Morvex::TextOf(HWND hwnd) const {
  wchar_t text[2048] = {};
  SendMessageTimeoutW(hwnd, WM_GETTEXT, 2048, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 5000, nullptr);
  return Narrow(text);
}

void Morvex::Click(const std::string& name, int index) const {
  PostMessageW(Control(name, index), BM_CLICK, 0, 0);
}

std::vector<std::string> Morvex::Items(const std::string& name) const {
  HWND list = Control(name);
  std::vector<std::string> items;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    items.push_back(Narrow(text));
  }
  return items;
}

std::vector<int> Morvex::SelectedPositions(const std::string& name) const {
  HWND list = Control(name);
  std::vector<int> selected;
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    if (SendMessageW(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) selected.push_back(static_cast<int>(i));
  }
  return selected;
}

void Morvex::ClickItem(const std::string& name, int position, bool ctrl) const {
  HWND list = Control(name);
  SendMessageW(list, LB_SETTOPINDEX, static_cast<WPARAM>(position), 0);
  const LRESULT top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
  const LRESULT height = SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
  const LPARAM at = MAKELPARAM(4, static_cast<int>((position - top) * height + height / 2));
  const WPARAM keys = ctrl ? MK_CONTROL : 0;
  PostMessageW(list, WM_LBUTTONDOWN, keys | MK_LBUTTON, at);
  PostMessageW(list, WM_LBUTTONUP, keys, at);
}

void Morvex::ChooseMenu(const std::string& name) const {
  PostMessageW(Form1(), WM_COMMAND, MAKEWPARAM(IdOf("Form1", name), 0), 0);
}

std::optional<MessageBoxInfo> Morvex::WaitForMessageBox(int boundMs) const {
  MessageBoxInfo info;
  const bool found = WaitFor(
      [&] {
        for (HWND hwnd : TopWindows()) {
          if (ClassOf(hwnd) == "#32770") {
            info.hwnd = hwnd;
            return true;
          }
        }
        return false;
      },
      boundMs);
  if (!found) return std::nullopt;
  info.title = TextOf(info.hwnd);
  if (HWND text = GetDlgItem(info.hwnd, 0xFFFF)) info.text = TextOf(text);
  return info;
}

void Morvex::CloseMessageBox(const MessageBoxInfo& box) const {
  PostMessageW(box.hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  WaitFor([&] { return !IsWindow(box.hwnd); }, 5000);
}

void Morvex::NotifyFromIcon(UINT mouseMessage) const {
  PostMessageW(Form1(), WM_MOUSEMOVE, 0, static_cast<LPARAM>(mouseMessage));
}

HWND Morvex::PopupMenu() const {
  for (HWND hwnd : TopWindows()) {
    if (ClassOf(hwnd) == "#32768") return hwnd;
  }
  return nullptr;
}

void Morvex::RequestClose() const { PostMessageW(Form1(), WM_CLOSE, 0, 0); }

bool Morvex::BringToFront() const {
  HWND form = Form1();
  return WaitFor(
      [form] {
        if (GetForegroundWindow() == form) return true;
        SetForegroundWindow(form);
        return false;
      },
      5000);
}

void Morvex::PressKey(WORD key, bool shift) const {
  std::vector<INPUT> inputs;
  const auto add = [&inputs](WORD vk, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = flags;
    inputs.push_back(input);
  };
  if (shift) add(VK_SHIFT, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  if (shift) add(VK_SHIFT, KEYEVENTF_KEYUP);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::string Morvex::FocusedControl() const {
  HWND form = Form1();
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!form || !GetGUIThreadInfo(GetWindowThreadProcessId(form, nullptr), &info)) return {};
  const ui::WindowDef& def = forms::Form1Def();
  for (HWND hwnd = info.hwndFocus; hwnd && hwnd != form; hwnd = GetParent(hwnd)) {
    const int position = GetDlgCtrlID(hwnd) - ui::kFirstControlId;
    if (position < 0 || position >= static_cast<int>(def.controls.size())) continue;
    const ui::ControlDef& control = def.controls[static_cast<std::size_t>(position)];
    if (Control(GetDlgCtrlID(hwnd)) != hwnd) continue;
    return control.index < 0 ? control.name : control.name + "(" + std::to_string(control.index) + ")";
  }
  return {};
}

Accessible AccessibleOf(HWND hwnd) {
  // The object lives in the program's process: COM carries the calls there.
  static const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  (void)com;
  Accessible result;
  IAccessible* object = nullptr;
  if (FAILED(AccessibleObjectFromWindow(hwnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                        reinterpret_cast<void**>(&object))) ||
      !object) {
    return result;
  }
  result.found = true;
  VARIANT self{};
  self.vt = VT_I4;
  self.lVal = CHILDID_SELF;
  BSTR name = nullptr;
  if (object->get_accName(self, &name) == S_OK && name) result.name = Narrow(name);
  SysFreeString(name);
  VARIANT value{};
  if (SUCCEEDED(object->get_accRole(self, &value)) && value.vt == VT_I4) result.role = value.lVal;
  VariantClear(&value);
  if (SUCCEEDED(object->get_accState(self, &value)) && value.vt == VT_I4) result.state = value.lVal;
  VariantClear(&value);
  object->Release();
  return result;
}

}  // namespace morvex::e2e
