#include "win32/probes/management_probe.h"

#include <windows.h>
#include <wbemidl.h>

#include <cstdio>
#include <initializer_list>
#include <thread>

namespace morvex::probes {

namespace {

std::string Hex(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

ManagementTerminate Ask() {
  ManagementTerminate answer;
  if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) {
    answer.why = "COM could not be initialised";
    return answer;
  }
  IWbemLocator* locator = nullptr;
  IWbemServices* services = nullptr;
  IWbemClassObject* process = nullptr;
  IWbemClassObject* in = nullptr;
  IWbemClassObject* out = nullptr;
  BSTR space = SysAllocString(L"ROOT\\CIMV2");
  BSTR name = SysAllocString(L"Win32_Process");
  HRESULT hr = CoCreateInstance(CLSID_WbemLocator, nullptr, CLSCTX_INPROC_SERVER, IID_IWbemLocator,
                                reinterpret_cast<void**>(&locator));
  if (FAILED(hr)) {
    answer.why = "no management service (" + Hex(hr) + ")";
  } else if (FAILED(hr = locator->ConnectServer(space, nullptr, nullptr, nullptr, 0, nullptr, nullptr, &services))) {
    answer.why = "the management service cannot be reached (" + Hex(hr) + ")";
  } else if (FAILED(hr = services->GetObject(name, 0, nullptr, &process, nullptr))) {
    answer.why = "the management service has no class Win32_Process (" + Hex(hr) + ")";
  } else if (FAILED(hr = process->GetMethod(L"Terminate", 0, &in, &out))) {
    answer.why = "the management service's Win32_Process has no method Terminate (" + Hex(hr) + ")";
  } else {
    answer.available = true;
    answer.why = "the management service's Win32_Process has the method Terminate";
  }
  for (IUnknown* object : {static_cast<IUnknown*>(out), static_cast<IUnknown*>(in), static_cast<IUnknown*>(process),
                           static_cast<IUnknown*>(services), static_cast<IUnknown*>(locator)}) {
    if (object) object->Release();
  }
  SysFreeString(name);
  SysFreeString(space);
  CoUninitialize();
  return answer;
}

}  // namespace

const ManagementTerminate& ManagementServiceTerminate() {
  static const ManagementTerminate answer = [] {
    ManagementTerminate result;
    std::thread([&result] { result = Ask(); }).join();
    return result;
  }();
  return answer;
}

}  // namespace morvex::probes
