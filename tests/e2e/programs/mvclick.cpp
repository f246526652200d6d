// Clicks a control of a running Morvex by its name: mvclick.exe NAME
// (used by the screenshot script to open the options page).
#include <windows.h>

#include <cwchar>
#include <string>

#include "app/window_tables.h"

namespace {

struct Search {
  int id;
  HWND found;
};

BOOL CALLBACK FindChild(HWND hwnd, LPARAM lp) {
  auto* search = reinterpret_cast<Search*>(lp);
  if (GetDlgCtrlID(hwnd) == search->id) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR args, int) {
  const std::wstring wide(args);
  const std::string name(wide.begin(), wide.end());
  const auto& controls = morvex::app::Form1Def().controls;
  int id = 0;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].name == name) id = morvex::ui::kFirstControlId + static_cast<int>(i);
  }
  HWND form = FindWindowW(L"MorvexForm", nullptr);
  if (!id || !form) return 1;
  Search search{id, nullptr};
  EnumChildWindows(form, FindChild, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return 1;
  PostMessageW(search.found, BM_CLICK, 0, 0);
  return 0;
}
