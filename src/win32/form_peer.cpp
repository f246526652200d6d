#include "win32/form_peer.h"

#include "ui/startup_trace.h"
#include "win32/backend.h"
#include "win32/dpi.h"
#include "win32/peers.h"
#include "win32/text.h"

namespace morvex::win32 {

FormPeer::FormPeer(HWND hwnd, ui::Window& window, Win32Backend& backend)
    : record_{backend, window, nullptr, SystemDpiOf(hwnd)}, hwnd_(hwnd) {
  Attach(hwnd, &record_);
}

FormPeer::~FormPeer() { Destroy(); }

void FormPeer::SetCaption(const std::string& caption) { SetWindowTextW(hwnd_.get(), Widen(caption).c_str()); }

std::string FormPeer::Caption() const { return Narrow(WindowText(hwnd_.get())); }

void FormPeer::SetVisible(bool visible) {
  HWND hwnd = hwnd_.get();
  ShowWindow(hwnd, visible ? SW_SHOW : SW_HIDE);
  if (visible) {
    MORVEX_STARTUP_STEP("  ShowWindow");
    // Painted at once, frame and controls: a window shown at the start of
    // a termination run gets no other chance, since the run handles no
    // messages until it is over. Then the thread looks into its queue once
    // (a paint message, left there): the system may hold what was drawn
    // until the thread next looks for messages (Wine copies a window's
    // drawing to the X server only then), and the run would not look before
    // it is over, so the wait window's label would stay black meanwhile.
    RedrawWindow(hwnd, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    MSG pending;
    PeekMessageW(&pending, nullptr, WM_PAINT, WM_PAINT, PM_NOREMOVE);
    MORVEX_STARTUP_STEP("first paint done");
    SetForegroundWindow(hwnd);
    MORVEX_STARTUP_STEP("  SetForegroundWindow");
    if (!tipsAdded_) record_.backend.AddTooltips(record_.window);
    tipsAdded_ = true;
  }
}

bool FormPeer::Visible() const { return IsWindowVisible(hwnd_.get()) != 0; }

// The record goes first: the window's last messages reach no handler.
void FormPeer::Destroy() {
  if (IsWindow(hwnd_.get())) {
    Attach(hwnd_.get(), nullptr);
    hwnd_.reset();
  }
}

bool FormPeer::PointerOverWindow() const {
  POINT pt;
  if (!GetCursorPos(&pt)) return false;
  HWND under = WindowFromPoint(pt);
  return under && GetAncestor(under, GA_ROOT) == hwnd_.get() && IsWindowVisible(hwnd_.get());
}

void FormPeer::SetForeground() { SetForegroundWindow(hwnd_.get()); }

void FormPeer::PopupMenu(const ui::WindowPeer& menuWindow, int menu, int defaultItem) {
  const ui::Window& owner = static_cast<const FormPeer&>(menuWindow).record_.window;
  ui::Control* menuControl = owner.FindById(ui::kFirstControlId + menu);
  if (!menuControl) return;
  HMENU popup = static_cast<MenuPeer&>(menuControl->peer()).Popup();
  SetMenuDefaultItem(popup, static_cast<UINT>(ui::kFirstControlId + defaultItem), FALSE);
  POINT pt;
  GetCursorPos(&pt);
  const int chosen = static_cast<int>(TrackPopupMenu(popup, TPM_RETURNCMD, pt.x, pt.y, 0, hwnd_.get(), nullptr));
  PostMessageW(hwnd_.get(), WM_NULL, 0, 0);
  if (chosen) {
    if (ui::Control* item = owner.FindById(chosen)) item->UserClicked();
  }
}

std::uintptr_t FormPeer::Handle() const { return reinterpret_cast<std::uintptr_t>(hwnd_.get()); }

std::uintptr_t FormPeer::IconHandle() const {
  const int iconId = record_.window.Def().iconId;
  if (!iconId) return 0;
  return reinterpret_cast<std::uintptr_t>(record_.backend.ShellIcon(iconId, DpiOf(hwnd_.get())));
}

}  // namespace morvex::win32
