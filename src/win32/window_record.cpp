#include "win32/window_record.h"

#include "win32/backend.h"

namespace morvex::win32 {

namespace {

constexpr wchar_t kRecordProp[] = L"MorvexWindow";

}  // namespace

void Attach(HWND hwnd, WindowRecord* record) {
  if (record) {
    SetPropW(hwnd, kRecordProp, record);
  } else {
    RemovePropW(hwnd, kRecordProp);
  }
}

WindowRecord* RecordOf(HWND hwnd) { return static_cast<WindowRecord*>(GetPropW(hwnd, kRecordProp)); }

WindowRecord* FormRecordOf(HWND hwnd) {
  WindowRecord* record = hwnd ? RecordOf(GetAncestor(hwnd, GA_ROOT)) : nullptr;
  return record && !record->control ? record : nullptr;
}

ui::Control* ControlOf(HWND hwnd) {
  const WindowRecord* form = FormRecordOf(hwnd);
  if (!form || GetAncestor(hwnd, GA_ROOT) == hwnd) return nullptr;
  ui::Control* control = form->window.FindById(GetDlgCtrlID(hwnd));
  return control && Win32Backend::HandleOf(*control) == hwnd ? control : nullptr;
}

}  // namespace morvex::win32
