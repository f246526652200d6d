// Window lookup, WM_CLOSE and shell links against the real API.
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "win32/handles.h"
#include "win32/shell_links.h"
#include "win32/text.h"
#include "win32/window_ops.h"

namespace morvex::win32 {
namespace {

std::wstring TempFolder(const wchar_t* name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

// The target a link file points at (and its working folder), read back
// through the shell's link object.
std::wstring LinkTarget(const std::wstring& link, std::wstring* workingFolder = nullptr) {
  ComPtr<IShellLinkW> shellLink;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              shellLink.put_void()))) {
    return L"(no link object)";
  }
  ComPtr<IPersistFile> file;
  wchar_t path[MAX_PATH] = {};
  if (FAILED(shellLink->QueryInterface(IID_IPersistFile, file.put_void())) ||
      FAILED(file->Load(link.c_str(), STGM_READ)) ||
      FAILED(shellLink->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH))) {
    return L"(unreadable)";
  }
  if (workingFolder) {
    wchar_t folder[MAX_PATH] = {};
    *workingFolder = SUCCEEDED(shellLink->GetWorkingDirectory(folder, MAX_PATH)) ? folder : L"(unreadable)";
  }
  return path;
}

struct ComScope {
  ComScope() { CoInitialize(nullptr); }
  ~ComScope() { CoUninitialize(); }
};

TEST(Win32ShellLinks, CreatesTheLinkRelativeToItsParentAndReplacesAnOldOne) {
  ComScope com;
  Win32ShellLinks links;
  const std::wstring base = TempFolder(L"morvex-links");
  const std::string parent = Narrow(base) + "\\Programme";
  const std::wstring link = base + L"\\Autostart Größe\\Morvex.lnk";
  DeleteFileW(link.c_str());
  RemoveDirectoryW((base + L"\\Autostart Größe").c_str());
  // A missing folder is not made.
  EXPECT_FALSE(links.FolderExists("..\\Autostart Größe", parent));
  EXPECT_EQ(links.CreateShellLink("..\\Autostart Größe", "Morvex", "C:\\x\\morvex.exe", "", -1, parent), 0);
  EXPECT_EQ(GetFileAttributesW((base + L"\\Autostart Größe").c_str()), INVALID_FILE_ATTRIBUTES);
  // "." and ".." steps are resolved.
  ASSERT_TRUE(CreateDirectoryW((base + L"\\Autostart Größe").c_str(), nullptr));
  EXPECT_TRUE(links.FolderExists("..\\.\\Autostart Größe", parent));
  EXPECT_NE(links.CreateShellLink("..\\.\\Autostart Größe", "Morvex", "C:\\Werkzeuge\\morvex.exe", "", -1, parent),
            0);
  EXPECT_EQ(LinkTarget(link), L"C:\\Werkzeuge\\morvex.exe");
  // It starts in the program's folder; in a drive's root, in the root itself.
  for (const auto& [target, folder] : {std::pair{"C:\\Anderswo\\morvex.exe", L"C:\\Anderswo"},
                                       std::pair{"C:\\morvex.exe", L"C:\\"}}) {
    EXPECT_NE(links.CreateShellLink("..\\Autostart Größe", "Morvex", target, "", -1, parent), 0);
    std::wstring workingFolder;
    EXPECT_EQ(LinkTarget(link, &workingFolder), Widen(target));
    EXPECT_EQ(workingFolder, folder) << target;
  }
}

TEST(Win32ShellLinks, ProgramsParentIsTheUsersStartMenuPrograms) {
  ComScope com;
  Win32ShellLinks links;
  wchar_t startup[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_STARTUP | CSIDL_FLAG_CREATE, nullptr, 0, startup)));
  const std::wstring link = std::wstring(startup) + L"\\MorvexTest.lnk";
  DeleteFileW(link.c_str());
  EXPECT_NE(links.CreateShellLink(".\\Startup", "MorvexTest", "C:\\x\\morvex.exe", "", -1, "$(Programs)"), 0);
  EXPECT_EQ(LinkTarget(link), L"C:\\x\\morvex.exe");
  DeleteFileW(link.c_str());
}

// One of the user's folders (the Startup folder, the desktop) set elsewhere,
// as a user, a backup to the cloud or the system may move it, for as long as
// the object lives.
class MovedShellFolder {
 public:
  MovedShellFolder(const wchar_t* name, const std::wstring& folder) : name_(name) {
    RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_, nullptr);
    DWORD size = sizeof old_;
    had_ = RegQueryValueExW(key_, name_, nullptr, &type_, reinterpret_cast<BYTE*>(old_), &size) == ERROR_SUCCESS;
    oldSize_ = size;
    Set(REG_EXPAND_SZ, folder.c_str(), static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
  }
  ~MovedShellFolder() {
    if (had_) {
      Set(type_, old_, oldSize_);
    } else {
      RegDeleteValueW(key_, name_);
    }
    RegCloseKey(key_);
  }

 private:
  static constexpr const wchar_t* kKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  void Set(DWORD type, const wchar_t* value, DWORD size) {
    RegSetValueExW(key_, name_, 0, type, reinterpret_cast<const BYTE*>(value), size);
  }
  const wchar_t* name_;
  HKEY key_ = nullptr;
  bool had_ = false;
  DWORD type_ = REG_EXPAND_SZ;
  wchar_t old_[MAX_PATH] = {};
  DWORD oldSize_ = 0;
};

TEST(Win32ShellLinks, StartupParentIsTheStartupFolderTheSystemReports) {
  ComScope com;
  Win32ShellLinks links;
  const std::wstring moved = TempFolder(L"morvex-moved-startup");
  const std::wstring link = moved + L"\\MorvexTest.lnk";
  DeleteFileW(link.c_str());
  {
    const MovedShellFolder redirect(L"Startup", moved);
    wchar_t reported[MAX_PATH] = {};
    ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_STARTUP, nullptr, SHGFP_TYPE_CURRENT, reported)));
    ASSERT_EQ(CompareStringOrdinal(reported, -1, moved.c_str(), -1, TRUE), CSTR_EQUAL) << Narrow(reported);
    EXPECT_NE(links.CreateShellLink(".", "MorvexTest", "C:\\x\\morvex (1).exe", "", -1, "$(Startup)"), 0);
  }
  EXPECT_EQ(LinkTarget(link), L"C:\\x\\morvex (1).exe");
  DeleteFileW(link.c_str());
}

// A desktop redirected elsewhere gets the shortcut where the user sees it;
// one that is not there gets none, and is not made.
TEST(Win32ShellLinks, DesktopParentIsTheDesktopTheSystemReportsWhereverItIs) {
  ComScope com;
  Win32ShellLinks links;
  const std::wstring moved = TempFolder(L"morvex-moved-desktop");
  const std::wstring gone = moved + L"\\gone";
  const std::wstring link = moved + L"\\MorvexTest.lnk";
  DeleteFileW(link.c_str());
  {
    const MovedShellFolder redirect(L"Desktop", moved);
    EXPECT_TRUE(links.FolderExists(".", "$(Desktop)"));
    EXPECT_NE(links.CreateShellLink(".", "MorvexTest", "C:\\x\\morvex.exe", "", -1, "$(Desktop)"), 0);
  }
  EXPECT_EQ(LinkTarget(link), L"C:\\x\\morvex.exe");
  DeleteFileW(link.c_str());
  {
    const MovedShellFolder redirect(L"Desktop", gone);
    EXPECT_FALSE(links.FolderExists(".", "$(Desktop)"));
    EXPECT_EQ(links.CreateShellLink(".", "MorvexTest", "C:\\x\\morvex.exe", "", -1, "$(Desktop)"), 0);
  }
  EXPECT_EQ(GetFileAttributesW(gone.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Win32ShellLinks, ReportsZeroWhenTheLinkCannotBeMade) {
  ComScope com;
  Win32ShellLinks links;
  const std::wstring base = TempFolder(L"morvex-links-blocked");
  const std::wstring blocker = base + L"\\Datei";
  ASSERT_TRUE(UniqueHandle(
      CreateFileW(blocker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)));
  // A file stands where the folder would have to be, a folder where the link
  // would.
  EXPECT_EQ(links.CreateShellLink(".\\Datei\\Unter", "Morvex", "C:\\x\\morvex.exe", "", -1, Narrow(base)), 0);
  EXPECT_EQ(links.CreateShellLink(".", "Morvex", "C:\\x\\morvex.exe", "", -1, Narrow(blocker)), 0);
  CreateDirectoryW((base + L"\\Morvex.lnk").c_str(), nullptr);
  EXPECT_TRUE(links.FolderExists(".", Narrow(base)));
  EXPECT_EQ(links.CreateShellLink(".", "Morvex", "C:\\x\\morvex.exe", "", -1, Narrow(base)), 0);
}

LRESULT CALLBACK CountingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_CLOSE) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, GetWindowLongPtrW(hwnd, GWLP_USERDATA) + 1);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
}

TEST(Win32WindowOps, FindsAWindowByItsUnicodeTitleAndPostsToIt) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = CountingProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"MorvexOpsTest";
  RegisterClassW(&wc);
  const UniqueWindow window(CreateWindowW(L"MorvexOpsTest", L"Größe des Fensters 4711 Москва", WS_OVERLAPPEDWINDOW, 0, 0,
                                         100, 100, nullptr, nullptr, wc.hInstance, nullptr));
  HWND hwnd = window.get();
  ASSERT_NE(hwnd, nullptr);
  Win32WindowOps ops;
  const std::uintptr_t found = ops.FindTopWindow("Größe des Fensters 4711 Москва");
  EXPECT_EQ(found, reinterpret_cast<std::uintptr_t>(hwnd));
  EXPECT_EQ(ops.FindTopWindow("Größe des Fensters 4711 Mockba"), 0u);
  EXPECT_EQ(ops.WindowProcessId(found), GetCurrentProcessId());

  EXPECT_TRUE(ops.Post(found, WM_CLOSE, 0, 0));
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_USERDATA), 0) << "posted, not sent";
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  EXPECT_EQ(GetWindowLongPtrW(hwnd, GWLP_USERDATA), 1);
  EXPECT_FALSE(ops.Post(0x7FFF0, WM_CLOSE, 0, 0));
}

TEST(Win32WindowOps, OpensTerminatesAndClosesAProcess) {
  // A suspended copy of this program waits until it is ended.
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_list_tests";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                             &si, &pi));
  const UniqueHandle child(pi.hProcess);
  const UniqueHandle thread(pi.hThread);
  Win32WindowOps ops;
  EXPECT_EQ(ops.OpenProcess(services::kTerminateAccess, false, 0), 0u);
  const std::uintptr_t process = ops.OpenProcess(services::kTerminateAccess, false, pi.dwProcessId);
  ASSERT_NE(process, 0u);
  EXPECT_TRUE(ops.TerminateProcess(process, 0));
  ops.CloseHandle(process);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
  DWORD code = 99;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
}

}  // namespace
}  // namespace morvex::win32
