// The Windows program: services and backend made real, the main window built
// and started, then the message loop.
#include <windows.h>
#include <ole2.h>

#include "app/lifecycle.h"
#include "app/program.h"
#include "app/single_copy.h"
#include "ui/startup_trace.h"
#include "win32/account.h"
#include "win32/backend.h"
#include "win32/dpi.h"
#include "win32/keyboard.h"
#include "win32/lazy_imports.h"
#include "win32/notification_area.h"
#include "win32/private_profile.h"
#include "win32/processes.h"
#include "win32/services.h"
#include "win32/shell_links.h"
#include "win32/single_instance.h"
#include "win32/system_commands.h"
#ifdef MORVEX_STARTUP_TRACE
#include "win32/startup_trace.h"
#endif
#include "win32/text.h"
#include "win32/window_ops.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace morvex;
  win32::SearchDllsInSystemFolderOnly();
  MORVEX_STARTUP_STEP("wWinMain entered");
  // A copy already runs from this folder: it is asked to show its window,
  // and this one ends before it has made a window or touched a file.
  win32::Win32Files files;
  win32::Win32MessageBoxes messages;
  win32::FolderCopy folderCopy(win32::Widen(files.AppFolder()));
  if (!app::ClaimFolder(folderCopy, messages)) return 0;
  MORVEX_STARTUP_STEP("the folder's only copy");
  win32::DeclareDpiAwareness();
  MORVEX_STARTUP_STEP("DPI awareness declared");
  OleInitialize(nullptr);
  MORVEX_STARTUP_STEP("OleInitialize");

  win32::Win32Shell shell;
  win32::Win32Clock clock;
  win32::Win32CodePage codePage;
  win32::Win32Lifetime lifetime;
  win32::Win32NotificationArea notificationArea;
  win32::Win32PrivateProfile profile;
  win32::Win32ProcessSnapshot snapshot;
  win32::Win32ManagementService management;
  win32::Win32WindowOps windows;
  win32::Win32ShellLinks links;
  win32::Win32SystemCommands commands;
  win32::Win32Pause pause;
  win32::Win32Account account;
  services::Services bundle{messages, shell,    clock,      files,   codePage, lifetime,    notificationArea,
                            profile,  snapshot, management, windows, links,    commands,    pause, account};

  MORVEX_STARTUP_STEP("services made");
  win32::Win32Backend backend(instance);
  MORVEX_STARTUP_STEP("backend: common controls, window classes");
  app::Program program(backend, bundle);
  MORVEX_STARTUP_STEP("Form1 constructed, subsystems wired");
  HWND main = win32::Win32Backend::HandleOf(program.Form());
  messages.SetMainWindow(main);
  folderCopy.MarkMainWindow(main);
  app::StartUp(program);
  MORVEX_STARTUP_STEP("start-up sequence ended");
#ifdef MORVEX_STARTUP_TRACE
  win32::FinishStartupTrace(main);
#endif

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (win32::HandleNavigationKey(msg) || IsDialogMessageW(main, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return 0;
}
