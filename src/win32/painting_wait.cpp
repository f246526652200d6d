#include "win32/painting_wait.h"

namespace morvex::win32 {

bool WaitPainting(HANDLE object, DWORD boundMs) {
  const ULONGLONG end = GetTickCount64() + boundMs;
  for (;;) {
    const ULONGLONG now = GetTickCount64();
    const DWORD left = now >= end ? 0 : static_cast<DWORD>(end - now);
    const DWORD woken = MsgWaitForMultipleObjectsEx(1, &object, left, QS_PAINT, 0);
    if (woken == WAIT_TIMEOUT) return false;
    if (woken != WAIT_OBJECT_0 + 1) return true;  // signalled, or no longer to be waited for
    // A window whose paint leaves it invalid would ask again at once: a
    // bounded number of paints per wake.
    MSG paint;
    for (int i = 0; i < 64 && PeekMessageW(&paint, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i) {
      DispatchMessageW(&paint);
    }
    if (left == 0) return WaitForSingleObject(object, 0) != WAIT_TIMEOUT;
  }
}

}  // namespace morvex::win32
