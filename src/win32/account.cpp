#include "win32/account.h"

#include <windows.h>
#include <exdisp.h>
#include <shldisp.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <vector>

#include "win32/handles.h"
#include "win32/lazy_imports.h"
#include "win32/text.h"

namespace morvex::win32 {

namespace {

UniqueHandle OwnToken(DWORD access) {
  HANDLE raw = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), access, &raw)) return UniqueHandle();
  return UniqueHandle(raw);
}

// The user's SID of a token, as bytes; empty where it cannot be read.
std::vector<BYTE> UserOf(HANDLE token) {
  DWORD size = 0;
  GetTokenInformation(token, TokenUser, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  if (size == 0 || !GetTokenInformation(token, TokenUser, buffer.data(), size, &size)) return {};
  const PSID sid = reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid;
  return std::vector<BYTE>(static_cast<BYTE*>(sid), static_cast<BYTE*>(sid) + GetLengthSid(sid));
}

std::string Reason(HRESULT hr) { return ErrorText(static_cast<DWORD>(hr)); }

bool DebugLuid(LUID& luid) { return LookupPrivilegeValueW(nullptr, L"SeDebugPrivilege", &luid) != 0; }

}  // namespace

bool Win32Account::RunsElevated() {
  static const bool elevated = [] {
    const UniqueHandle token = OwnToken(TOKEN_QUERY);
    TOKEN_ELEVATION elevation{};
    DWORD size = 0;
    return token && GetTokenInformation(token.get(), TokenElevation, &elevation, sizeof elevation, &size) &&
           elevation.TokenIsElevated != 0;
  }();
  return elevated;
}

services::ShellOwner Win32Account::DesktopShellOwner() {
  const HWND shell = GetShellWindow();
  DWORD processId = 0;
  if (!shell || !GetWindowThreadProcessId(shell, &processId) || processId == 0) {
    return services::ShellOwner::kNoShell;
  }
  const UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  HANDLE raw = nullptr;
  if (!process || !OpenProcessToken(process.get(), TOKEN_QUERY, &raw)) return services::ShellOwner::kOtherAccount;
  const UniqueHandle shellToken(raw);
  const std::vector<BYTE> shellUser = UserOf(shellToken.get());
  const std::vector<BYTE> ownUser = UserOf(OwnToken(TOKEN_QUERY).get());
  return !shellUser.empty() && shellUser == ownUser ? services::ShellOwner::kSameAccount
                                                    : services::ShellOwner::kOtherAccount;
}

std::optional<bool> Win32Account::SetDebugPrivilege(bool enabled) {
  const UniqueHandle token = OwnToken(TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY);
  TOKEN_PRIVILEGES change{};
  change.PrivilegeCount = 1;
  change.Privileges[0].Attributes = enabled ? SE_PRIVILEGE_ENABLED : 0;
  if (!token || !DebugLuid(change.Privileges[0].Luid)) return std::nullopt;
  TOKEN_PRIVILEGES before{};
  DWORD size = 0;
  // Success with ERROR_NOT_ALL_ASSIGNED: the token lacks the privilege and
  // nothing changed.
  if (!AdjustTokenPrivileges(token.get(), FALSE, &change, sizeof before, &before, &size) ||
      GetLastError() == ERROR_NOT_ALL_ASSIGNED) {
    return std::nullopt;
  }
  // The previous state lists the privilege only where it changed.
  if (before.PrivilegeCount == 0) return enabled;
  return (before.Privileges[0].Attributes & SE_PRIVILEGE_ENABLED) != 0;
}

bool DebugPrivilegeEnabled() {
  const UniqueHandle token = OwnToken(TOKEN_QUERY);
  PRIVILEGE_SET set{};
  set.PrivilegeCount = 1;
  set.Control = PRIVILEGE_SET_ALL_NECESSARY;
  BOOL held = FALSE;
  return token && DebugLuid(set.Privilege[0].Luid) && PrivilegeCheck(token.get(), &set, &held) && held;
}

std::string OpenThroughDesktopShell(const std::string& file) {
  const OleAutomation* oa = OleAutomationFunctions();
  if (!oa) return ErrorText(ERROR_MOD_NOT_FOUND);
  ComPtr<IShellWindows> windows;
  HRESULT hr = CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                                windows.put_void());
  if (FAILED(hr)) return Reason(hr);
  VARIANT none;
  oa->VariantInit(&none);
  long window = 0;
  ComPtr<IDispatch> desktop;
  hr = windows->FindWindowSW(&none, &none, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH, desktop.put());
  if (hr == S_FALSE || !desktop) return Reason(FAILED(hr) ? hr : E_NOINTERFACE);
  ComPtr<IServiceProvider> provider;
  ComPtr<IShellBrowser> browser;
  ComPtr<IShellView> view;
  ComPtr<IDispatch> background;
  ComPtr<IShellFolderViewDual> folderView;
  ComPtr<IDispatch> application;
  ComPtr<IShellDispatch2> shell;
  if (FAILED(hr = desktop->QueryInterface(IID_IServiceProvider, provider.put_void())) ||
      FAILED(hr = provider->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.put_void())) ||
      FAILED(hr = browser->QueryActiveShellView(view.put())) ||
      FAILED(hr = view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.put_void())) ||
      FAILED(hr = background->QueryInterface(IID_IShellFolderViewDual, folderView.put_void())) ||
      FAILED(hr = folderView->get_Application(application.put())) ||
      FAILED(hr = application->QueryInterface(IID_IShellDispatch2, shell.put_void()))) {
    return Reason(hr);
  }
  BSTR target = oa->SysAllocString(Widen(file).c_str());
  if (!target) return Reason(E_OUTOFMEMORY);
  hr = shell->ShellExecute(target, none, none, none, none);
  oa->VariantClear(&none);
  // The string was handed over by value: freed here by its owner's rule.
  VARIANT owner;
  oa->VariantInit(&owner);
  owner.vt = VT_BSTR;
  owner.bstrVal = target;
  oa->VariantClear(&owner);
  return FAILED(hr) ? Reason(hr) : std::string();
}

}  // namespace morvex::win32
