// Drives a real morvex.exe from outside, as an automation tool would: starts it
// in a fresh folder, finds its windows, clicks controls by their IDs, reads
// texts and closes message boxes.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace morvex::e2e {

// The command ID of a control of one of the program's windows, from its table.
int IdOf(const std::string& window, const std::string& control, int index = -1);

std::wstring Widen(const std::string& utf8);
std::string Narrow(const std::wstring& wide);

// The control with that command ID among the window's children, at any depth.
HWND FindControl(HWND form, int id);

// Polls until the condition holds; false when the bound runs out.
bool WaitFor(const std::function<bool()>& condition, int boundMs = 15000);

// A point of the screen away from every window of the program.
inline constexpr POINT kElsewhere{5, 880};

std::string ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::string& bytes);
bool FileExists(const std::wstring& path);

// The folder of the built morvex.exe and the test programs beside it: a Unix
// path handed over by the test runner.
std::wstring ProgramFolder();

// A folder of its own under the system's temporary folder, made empty.
std::wstring FreshFolder(const std::string& name);


// The icons in the notification area, as both Wine 8 and Wine 10 show them:
// the shell's process (the one of the taskbar window, Shell_TrayWnd) gives
// each icon a tip window of its own with the icon's tip as its one tool, and
// takes it away with the icon. (Where the icons themselves live differs:
// winex11's stand-alone tray window in Wine 8, the shell's tray window in
// Wine 10.) 0 when there is no shell.
int ShellTrayIcons();

struct MessageBoxInfo {
  HWND hwnd = nullptr;
  std::string title;
  std::string text;
};

// A test program built beside morvex.exe, running until the object goes.
class HelperProcess {
 public:
  explicit HelperProcess(const std::wstring& exeName);
  ~HelperProcess();
  HelperProcess(const HelperProcess&) = delete;
  HelperProcess& operator=(const HelperProcess&) = delete;
  bool Started() const { return pi_.hProcess != nullptr; }

 private:
  PROCESS_INFORMATION pi_{};
};

// What the system's TASKKILL can do, found out once by trying it on a parent
// and its child of test programs: whether it knows /T and ends the child too
// (Wine 10's does, Wine 8's refuses the option), and on two processes of one
// name: whether one call ends both, as Windows' does (Wine 10's ends one).
struct TaskkillAbilities {
  bool knowsTree = false;
  bool endsEveryOne = true;
  std::string why;  // what the trial showed, in words
};
const TaskkillAbilities& SystemTaskkill();

// Puts the TASKKILL stand-in (programs/taskkill.cpp) in place of the
// system's taskkill.exe in the suite's own prefix, once: Wine's own is kept
// beside it as mvx_wine_taskkill.exe (the trial of SystemTaskkill runs that
// one), and the programs started load the stand-in instead of Wine's builtin
// (Wine's DLL override taskkill.exe=native, in the prefix's registry). It notes every call, drops /T where
// Wine's lacks it and hands the rest to Wine's own, as often as it takes
// where Wine's ends only one process of a name a call. morvex.exe starts the
// system's TASKKILL by its full path: nothing on the PATH is asked.
void InstallTaskkillStandIn();

// The stand-in's modes, each a variable of the environment that morvex.exe,
// and so every TASKKILL it starts, inherits when it starts:
// it notes its arguments and ends nothing;
inline constexpr wchar_t kEndsNothing[] = L"MORVEX_E2E_TASKKILL_ENDS_NOTHING";
// it refuses the calls for the name it is set to (ends nothing of it, exits
// with 1), as TASKKILL does for a process it may not end;
inline constexpr wchar_t kRefuses[] = L"MORVEX_E2E_TASKKILL_REFUSE";
// it takes so many milliseconds before it acts;
inline constexpr wchar_t kTakesMs[] = L"MORVEX_E2E_TASKKILL_TAKES_MS";
// it does what the management service and Windows' TASKKILL do together.
inline constexpr wchar_t kAfterTheService[] = L"MORVEX_E2E_TASKKILL_AFTER_SERVICE";

// For its lifetime, the stand-in works in the mode; an empty value leaves
// the mode off.
class StandInMode {
 public:
  explicit StandInMode(const wchar_t* mode, const std::wstring& value = L"1");
  ~StandInMode();
  StandInMode(const StandInMode&) = delete;
  StandInMode& operator=(const StandInMode&) = delete;

 private:
  const wchar_t* mode_;
};

// Whether a process of this image name runs (letter case does not count).
bool ProcessRuns(const std::wstring& imageName);

class Morvex {
 public:
  // Copies morvex.exe (and the files that belong beside it) into `folder`,
  // the program under the name `exeName`; with `copy` false, runs the copy
  // that is there (a second start of it).
  explicit Morvex(std::wstring folder, std::wstring exeName = L"morvex.exe", bool copy = true);
  ~Morvex();

  const std::wstring& Folder() const { return folder_; }
  std::wstring PathOf(const std::wstring& file) const { return folder_ + L"\\" + file; }

  // Starts the program in its folder (its working folder too), the TASKKILL
  // stand-in installed and noting its calls in taskkill-calls.txt there;
  // with `waitForWindow`, waits until Form1 exists.
  bool Start(bool waitForWindow = true);
  // Waits until Form1 is shown, its message loop answers and the controls
  // below the client area exist, so that the start-up has run and a posted
  // click reaches a control.
  bool WaitUntilShown() const;
  // Waits until the controls below the client area, made just after the
  // window's first paint, exist.
  bool LaterControlsMade() const;
  // Opens the options page as the user would and waits until its controls
  // exist: they are made when the page first opens.
  bool OpenOptions() const;
  bool Running() const;
  // Waits for the process to end; false when it is still running after the bound.
  bool WaitForExit(int boundMs = 15000);
  void Kill();
  DWORD ProcessId() const { return pi_.dwProcessId; }
  // Holds every thread of the program, as a PC asleep or a box that blocks
  // its thread would, and lets them go on again.
  void SuspendThreads(bool suspend) const;

  // The main window (found by its class and process).
  HWND Form1() const;
  HWND Control(int id) const;
  HWND Control(const std::string& name, int index = -1) const { return Control(IdOf("Form1", name, index)); }
  std::string ClassOf(HWND hwnd) const;
  std::string TextOf(HWND hwnd) const;
  std::string Text(const std::string& name, int index = -1) const { return TextOf(Control(name, index)); }
  // Clicks a button, check box or option button without waiting for its handler.
  void Click(const std::string& name, int index = -1) const;
  // The entries of a list box of Form1.
  std::vector<std::string> Items(const std::string& name) const;
  // The positions of the selected entries of a list box of Form1.
  std::vector<int> SelectedPositions(const std::string& name) const;
  // Clicks an entry of a list box of Form1 with the mouse, with Ctrl held
  // when `ctrl` is set, without waiting for the handler.
  void ClickItem(const std::string& name, int position, bool ctrl = false) const;
  bool Enabled(const std::string& name) const { return IsWindowEnabled(Control(name)) != 0; }
  // Chooses a menu item of Form1.
  void ChooseMenu(const std::string& name) const;
  // The first message box of the process that appears within the bound.
  std::optional<MessageBoxInfo> WaitForMessageBox(int boundMs = 15000) const;
  // Closes a message box with its OK button.
  void CloseMessageBox(const MessageBoxInfo& box) const;
  // Asks Form1 to close, as the user's close button would.
  void RequestClose() const;

  // A mouse notification of the tray icon, as the shell sends it: the icon's
  // callback message (pointer movement) with the mouse message in lParam.
  void NotifyFromIcon(UINT mouseMessage) const;
  // The open popup menu of the process, or nullptr.
  HWND PopupMenu() const;
  // Opens the popup menu as the user does, the icon's right-button release
  // with the pointer at kElsewhere; false when no menu opened.
  bool OpenMenuFromIcon() const;

  // All visible top-level windows of the process.
  std::vector<HWND> TopWindows(bool visibleOnly = true) const;

  // Makes Form1 the foreground window, so that key presses reach it.
  bool BringToFront() const;
  // Presses and releases a key as the keyboard does (SendInput), with Shift
  // held when `shift` is set; the foreground window's thread gets it.
  void PressKey(WORD key, bool shift = false) const;
  // The name in Form1's table of the control with the focus ("" for none):
  // a combo box for its edit field.
  std::string FocusedControl() const;

 private:
  std::wstring folder_;
  std::wstring exeName_;
  PROCESS_INFORMATION pi_{};
};

// What a screen reader learns of a window through the system's
// accessibility interface (oleacc).
struct Accessible {
  bool found = false;
  std::string name;
  long role = 0;
  long state = 0;
};
Accessible AccessibleOf(HWND hwnd);

}  // namespace morvex::e2e
