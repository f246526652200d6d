// Functions of system DLLs that the program needs only for some commands:
// OLE Automation (oleaut32) for the management service's query, the
// multimedia functions (winmm) for the expiry sound, Active Accessibility
// (oleacc) for a screen reader's questions. They are loaded from the
// system folder on their first use, not with the program, so that the start
// does not wait for them (nor for what they load in turn). A DLL or function
// that cannot be loaded makes the command fail as any other failure of it:
// the query reports an error, the sound is not played, a screen reader gets
// the system's own answer.
#pragma once

#include <windows.h>
#include <oleacc.h>
#include <oleauto.h>

namespace morvex::win32 {

// The system folder's copy of the DLL (by its full path), never one beside
// the program, which a search by the bare name would find first where the
// system has none (DLL planting). It stays loaded until the program ends;
// nullptr when the system folder has no such DLL.
HMODULE LoadSystemLibrary(const wchar_t* name);

// The first call of the program: from now on a DLL named without its folder,
// by the program or by the system DLLs it loads, comes from the system
// folder alone, never from beside the program. SetDefaultDllDirectories
// (Windows 8, Windows 7 with its update KB2533623), looked up at run time;
// where the system lacks it, SetDllDirectoryW(L"") takes at least the
// current folder out of the search. True when the search is the system
// folder's alone.
bool SearchDllsInSystemFolderOnly();

struct OleAutomation {
  decltype(&::SysAllocString) SysAllocString;
  decltype(&::SysStringLen) SysStringLen;
  decltype(&::VariantInit) VariantInit;
  decltype(&::VariantClear) VariantClear;
  decltype(&::VariantChangeType) VariantChangeType;
};

// The functions of oleaut32, loaded on the first call; nullptr when the DLL or
// one of them is missing.
const OleAutomation* OleAutomationFunctions();

struct ActiveAccessibility {
  decltype(&::CreateStdAccessibleObject) CreateStdAccessibleObject;
  decltype(&::LresultFromObject) LresultFromObject;
};

// The functions of oleacc, loaded on the first call; nullptr when missing.
const ActiveAccessibility* ActiveAccessibilityFunctions();

// winmm's PlaySoundW, loaded on the first call; nullptr when missing.
using PlaySoundFn = BOOL(WINAPI*)(LPCWSTR, HMODULE, DWORD);
PlaySoundFn PlaySoundFunction();

}  // namespace morvex::win32
