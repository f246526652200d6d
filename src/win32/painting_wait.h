// A wait of the user-interface thread that keeps its windows painted: the
// run's waits for TASKKILL block the thread, and the wait window must stay
// readable meanwhile, also where it was covered and is seen again.
#pragma once

#include <windows.h>

namespace morvex::win32 {

// Waits up to `boundMs` for the object to be signalled (true; also where it
// can no longer be waited for; false at the bound) and, while it
// waits, paints the thread's windows when the system asks for it: paint
// messages are the only ones it takes from the queue, so no input and no
// other event runs meanwhile. The thread's looks into its queue also let the
// system show what was drawn (Wine copies a window's drawing to the X server
// only then).
bool WaitPainting(HANDLE object, DWORD boundMs);

}  // namespace morvex::win32
