// A program with no window that only waits, for the countdown's kill list to
// end. It ends itself after two minutes so that it never outlives a test run.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  Sleep(120000);
  return 0;
}
