#include "win32/lazy_imports.h"

#include <optional>
#include <string>

#include "services/in_folder.h"

namespace morvex::win32 {

HMODULE LoadSystemLibrary(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return nullptr;
  const std::wstring path = services::InFolder(std::wstring_view(folder, n), name);
  return LoadLibraryW(path.c_str());
}

bool SearchDllsInSystemFolderOnly() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return true;
  SetDllDirectoryW(L"");
  return false;
}

namespace {

template <class Fn>
bool Resolve(HMODULE module, const char* name, Fn& function) {
  function = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  return function != nullptr;
}

std::optional<OleAutomation> LoadOleAutomation() {
  OleAutomation f{};
  HMODULE module = LoadSystemLibrary(L"oleaut32.dll");
  const bool ok = module && Resolve(module, "SysAllocString", f.SysAllocString) &&
                  Resolve(module, "SysStringLen", f.SysStringLen) && Resolve(module, "VariantInit", f.VariantInit) &&
                  Resolve(module, "VariantClear", f.VariantClear) &&
                  Resolve(module, "VariantChangeType", f.VariantChangeType);
  if (!ok) return std::nullopt;
  return f;
}

std::optional<ActiveAccessibility> LoadActiveAccessibility() {
  ActiveAccessibility f{};
  HMODULE module = LoadSystemLibrary(L"oleacc.dll");
  const bool ok = module && Resolve(module, "CreateStdAccessibleObject", f.CreateStdAccessibleObject) &&
                  Resolve(module, "LresultFromObject", f.LresultFromObject);
  if (!ok) return std::nullopt;
  return f;
}

}  // namespace

const OleAutomation* OleAutomationFunctions() {
  static const std::optional<OleAutomation> functions = LoadOleAutomation();
  return functions ? &*functions : nullptr;
}

const ActiveAccessibility* ActiveAccessibilityFunctions() {
  static const std::optional<ActiveAccessibility> functions = LoadActiveAccessibility();
  return functions ? &*functions : nullptr;
}

PlaySoundFn PlaySoundFunction() {
  static const PlaySoundFn play = [] {
    PlaySoundFn f = nullptr;
    if (HMODULE module = LoadSystemLibrary(L"winmm.dll")) Resolve(module, "PlaySoundW", f);
    return f;
  }();
  return play;
}

}  // namespace morvex::win32
