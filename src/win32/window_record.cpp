#include "win32/window_record.h"

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

}  // namespace morvex::win32
