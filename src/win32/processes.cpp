#include "win32/processes.h"

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <utility>

#include "win32/account.h"
#include "win32/handles.h"
#include "win32/lazy_imports.h"
#include "win32/system_commands.h"
#include "win32/text.h"

namespace morvex::win32 {

namespace {

// A VARIANT that is cleared when it goes.
struct Variant {
  const OleAutomation& oa;
  VARIANT v;
  explicit Variant(const OleAutomation& functions) : oa(functions) { oa.VariantInit(&v); }
  ~Variant() { oa.VariantClear(&v); }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
};

std::string HresultText(HRESULT hr) {
  std::string text = ErrorText(static_cast<DWORD>(hr));
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(hr));
  // Codes of the management service itself have no system text.
  return text.rfind("Fehler ", 0) == 0 ? std::string("Fehler ") + code : text + " (" + code + ")";
}

// Calls a member of a dispatch interface by name.
HRESULT Invoke(IDispatch* object, const wchar_t* name, WORD flags, VARIANT* args, UINT argCount, VARIANT* result) {
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  DISPPARAMS params{args, nullptr, argCount, 0};
  return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result, nullptr, nullptr);
}

class Win32Process : public services::ManagedProcess {
 public:
  Win32Process(const OleAutomation& oa, ComPtr<IDispatch> object) : oa_(oa), object_(std::move(object)) {}

  std::string Caption() override {
    Variant value(oa_);
    // Read as a script reads it: property get or argument-less method.
    if (FAILED(Invoke(object_.get(), L"Caption", DISPATCH_PROPERTYGET | DISPATCH_METHOD, nullptr, 0, &value.v))) {
      return {};
    }
    if (value.v.vt != VT_BSTR || !value.v.bstrVal) return {};
    return Narrow(std::wstring(value.v.bstrVal, oa_.SysStringLen(value.v.bstrVal)));
  }

  std::optional<std::uint32_t> ProcessId() override {
    Variant value(oa_);
    if (FAILED(Invoke(object_.get(), L"ProcessId", DISPATCH_PROPERTYGET | DISPATCH_METHOD, nullptr, 0, &value.v))) {
      return std::nullopt;
    }
    if (FAILED(oa_.VariantChangeType(&value.v, &value.v, 0, VT_UI4))) return std::nullopt;
    return static_cast<std::uint32_t>(value.v.ulVal);
  }

  std::optional<std::uint32_t> Terminate() override {
    Variant value(oa_);
    if (FAILED(Invoke(object_.get(), L"Terminate", DISPATCH_METHOD, nullptr, 0, &value.v))) return std::nullopt;
    // The method's return value: 0 for success, 2 when access is denied, ...
    if (FAILED(oa_.VariantChangeType(&value.v, &value.v, 0, VT_UI4))) return std::nullopt;
    return static_cast<std::uint32_t>(value.v.ulVal);
  }

 private:
  const OleAutomation& oa_;
  ComPtr<IDispatch> object_;
};

services::ProcessQueryResult Failed(HRESULT hr) { return {false, {}, HresultText(hr)}; }

services::ProcessQueryResult Query() {
  const OleAutomation* functions = OleAutomationFunctions();
  if (!functions) return Failed(HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND));
  const OleAutomation& oa = *functions;
  // The local computer's default namespace, with impersonation; with the
  // debug privilege while a way of ending holds it, so that other accounts'
  // processes can be ended.
  const std::wstring moniker = std::wstring(L"winmgmts:") + L"{impersonationLevel=impersonate" +
                               (DebugPrivilegeEnabled() ? L",(Debug)" : L"") + L"}!\\\\" + L"." + L"\\root\\cimv2";
  ComPtr<IDispatch> service;
  HRESULT hr = CoGetObject(moniker.c_str(), nullptr, IID_IDispatch, service.put_void());
  if (FAILED(hr)) return Failed(hr);
  if (!service) return Failed(E_POINTER);

  Variant query(oa);
  query.v.vt = VT_BSTR;
  query.v.bstrVal = oa.SysAllocString(L"select * from win32_process");
  if (!query.v.bstrVal) return Failed(E_OUTOFMEMORY);
  Variant collection(oa);
  hr = Invoke(service.get(), L"ExecQuery", DISPATCH_METHOD, &query.v, 1, &collection.v);
  if (FAILED(hr)) return Failed(hr);
  if (collection.v.vt != VT_DISPATCH || !collection.v.pdispVal) return Failed(E_UNEXPECTED);

  // Walk the collection through its enumerator.
  Variant enumVariant(oa);
  DISPPARAMS none{nullptr, nullptr, 0, 0};
  hr = collection.v.pdispVal->Invoke(DISPID_NEWENUM, IID_NULL, LOCALE_USER_DEFAULT,
                                     DISPATCH_METHOD | DISPATCH_PROPERTYGET, &none, &enumVariant.v, nullptr, nullptr);
  if (FAILED(hr)) return Failed(hr);
  IUnknown* unknown = enumVariant.v.vt == VT_UNKNOWN   ? enumVariant.v.punkVal
                      : enumVariant.v.vt == VT_DISPATCH ? enumVariant.v.pdispVal
                                                        : nullptr;
  if (!unknown) return Failed(E_UNEXPECTED);
  ComPtr<IEnumVARIANT> items;
  hr = unknown->QueryInterface(IID_IEnumVARIANT, items.put_void());
  if (FAILED(hr)) return Failed(hr);

  services::ProcessQueryResult result;
  for (;;) {
    Variant item(oa);
    ULONG fetched = 0;
    hr = items->Next(1, &item.v, &fetched);
    if (FAILED(hr)) return Failed(hr);
    if (hr != S_OK || fetched == 0) break;
    if (item.v.vt != VT_DISPATCH || !item.v.pdispVal) continue;
    ComPtr<IDispatch> object(std::exchange(item.v.pdispVal, nullptr));
    item.v.vt = VT_EMPTY;
    result.processes.push_back(std::make_unique<Win32Process>(oa, std::move(object)));
  }
  return result;
}

}  // namespace

std::vector<RunningProcess> RunningProcesses() {
  std::vector<RunningProcess> processes;
  // 0 means no snapshot; so does the documented failure value.
  const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return processes;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
    processes.push_back({entry.th32ProcessID, entry.th32ParentProcessID,
                         Narrow(std::wstring(entry.szExeFile, wcsnlen(entry.szExeFile, MAX_PATH)))});
  }
  return processes;
}

std::vector<services::ListedProcess> Win32ProcessSnapshot::Processes() {
  std::vector<services::ListedProcess> listed;
  for (RunningProcess& process : RunningProcesses()) {
    listed.push_back({process.id, process.parent, std::move(process.imageName)});
  }
  return listed;
}

namespace {

class Win32ProcessHandle : public services::ProcessHandle {
 public:
  Win32ProcessHandle(UniqueHandle process, bool endable) : process_(std::move(process)), endable_(endable) {}

  std::optional<std::uint64_t> CreationTime() override {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process_.get(), &created, &exited, &kernel, &user)) return std::nullopt;
    return (static_cast<std::uint64_t>(created.dwHighDateTime) << 32) | created.dwLowDateTime;
  }

  services::HandleEnd End() override {
    if (!endable_) return services::HandleEnd::kAccessDenied;
    if (TerminateProcess(process_.get(), 1)) return services::HandleEnd::kEnded;
    const DWORD error = GetLastError();
    // A process that is already ending refuses with access denied too.
    if (WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0) return services::HandleEnd::kEnded;
    return error == ERROR_ACCESS_DENIED ? services::HandleEnd::kAccessDenied : services::HandleEnd::kFailed;
  }

  bool WaitForEnd(int boundMs) override {
    return WaitForSingleObject(process_.get(), static_cast<DWORD>(boundMs < 0 ? 0 : boundMs)) != WAIT_TIMEOUT;
  }

 private:
  UniqueHandle process_;
  bool endable_;
};

}  // namespace

std::unique_ptr<services::ProcessHandle> Win32ProcessSnapshot::Open(std::uint32_t id) {
  constexpr DWORD kWatch = SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION;
  if (UniqueHandle process{OpenProcess(kWatch | PROCESS_TERMINATE, FALSE, id)}) {
    return std::make_unique<Win32ProcessHandle>(std::move(process), true);
  }
  if (UniqueHandle process{OpenProcess(kWatch, FALSE, id)}) {
    return std::make_unique<Win32ProcessHandle>(std::move(process), false);
  }
  return nullptr;
}

services::ProcessQueryResult Win32ManagementService::QueryWin32Processes() {
  try {
    return Query();
  } catch (const std::exception&) {
    return Failed(E_OUTOFMEMORY);
  }
}

}  // namespace morvex::win32
