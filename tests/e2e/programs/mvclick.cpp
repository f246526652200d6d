// Clicks a control of a running Morvex by its name: mvclick.exe NAME
// (used by the screenshot script to open the options page).
#include <windows.h>

#include <stdexcept>
#include <string>

#include "e2e/driver.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR args, int) {
  try {
    HWND control = morvex::e2e::FindControl(FindWindowW(L"MorvexForm", nullptr),
                                            morvex::e2e::IdOf("Form1", morvex::e2e::Narrow(args)));
    if (!control) return 1;
    PostMessageW(control, BM_CLICK, 0, 0);
    return 0;
  } catch (const std::out_of_range&) {
    return 1;
  }
}
