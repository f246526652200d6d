// The Win32 backend of the control toolkit: real LISTBOX, COMBOBOX, EDIT,
// BUTTON and STATIC windows, menus, timers and a roll-up panel class of our
// own. It translates between window messages and the toolkit's entries and
// holds no behaviour of its own.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "ui/controls.h"

namespace morvex::win32 {

class Win32Backend : public ui::Backend {
 public:
  explicit Win32Backend(HINSTANCE instance);
  ~Win32Backend() override;

  std::unique_ptr<ui::WindowPeer> CreateWindowPeer(ui::Window& window) override;
  std::unique_ptr<ui::Peer> CreatePeer(ui::Window& window, ui::Control& control) override;
  void WindowBuilt(ui::Window& window) override;
  void WindowDestroyed(ui::Window& window) override;

  static HWND HandleOf(const ui::Window& window);
  static HWND HandleOf(const ui::Control& control);
  // The window's dots per inch (96 at 100 %).
  static int DpiOf(HWND hwnd);

  // Lays out every control of the window for its current DPI.
  void Layout(ui::Window& window);

  HINSTANCE Instance() const { return instance_; }
  HFONT Font(double points, bool bold, int dpi);

 private:
  static LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK ContainerSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                            DWORD_PTR data);
  static LRESULT OnCommand(ui::Window& window, WPARAM wp, LPARAM lp);
  static void DrawXpButton(const DRAWITEMSTRUCT& item);
  static LRESULT OnColour(ui::Window& window, HDC dc, HWND control, bool edit, LRESULT fallback);

  HINSTANCE instance_;
  std::map<std::tuple<int, bool, int>, HFONT> fonts_;
  std::map<COLORREF, HBRUSH> brushes_;
  HWND tooltip_ = nullptr;

 public:
  HBRUSH Brush(COLORREF colour);
};

// Declares the process DPI-aware: per monitor where Windows offers it, the
// system DPI on Windows 7.
void DeclareDpiAwareness();

}  // namespace morvex::win32
