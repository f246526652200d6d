// A program that only waits, so that a test can have processes of a known
// image name running. It ends by itself after ten minutes at the latest.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  Sleep(10 * 60 * 1000);
  return 0;
}
