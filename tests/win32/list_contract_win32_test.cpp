#include <windows.h>

#include "contract/list_contract.h"
#include "win32/backend.h"

namespace morvex::contract {
namespace {

// A real mouse click on the entry, with Ctrl as the key state says.
void ClickEntry(ui::ListBox& list, int position, bool ctrl) {
  HWND hwnd = win32::Win32Backend::HandleOf(list);
  RECT item{};
  SendMessageW(hwnd, LB_GETITEMRECT, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&item));
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  const WPARAM keys = MK_LBUTTON | (ctrl ? MK_CONTROL : 0);
  SendMessageW(hwnd, WM_LBUTTONDOWN, keys, at);
  SendMessageW(hwnd, WM_LBUTTONUP, keys & ~static_cast<WPARAM>(MK_LBUTTON), at);
  list.UserClicked();
}

ListRig Real() { return {std::make_unique<win32::Win32Backend>(GetModuleHandleW(nullptr)), &ClickEntry}; }

INSTANTIATE_TEST_SUITE_P(Win32, ListContract, ::testing::Values(&Real));

}  // namespace
}  // namespace morvex::contract
