// The Win32 backend of the control toolkit: real LISTBOX, COMBOBOX, EDIT,
// BUTTON and STATIC windows, menus, timers and a roll-up panel class of our
// own. It translates between window messages and the toolkit's entries and
// holds no behaviour of its own.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

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
  // The dots per inch (96 at 100 %) the window holding hwnd was last laid
  // out for; before its first layout, the system's for it.
  static int DpiOf(HWND hwnd);

  // Sizes the window for the DPI (centred where its table says so) and lays
  // out its controls.
  void Place(ui::Window& window, int dpi);
  // Lays out every control of the window for the system's present DPI of the
  // window, or for the given DPI: positions, sizes and fonts.
  void Layout(ui::Window& window);
  void Layout(ui::Window& window, int dpi);

  HINSTANCE Instance() const { return instance_; }
  // Fonts of MS Sans Serif's metrics, made once for each height and weight
  // and kept until the backend goes.
  HFONT Font(double points, bool bold, int dpi);
  HFONT FontOfHeight(int pixels, bool bold);
  // The font a caption is shown in: the control's own size, or where the
  // text would be cut with this system's face, the largest smaller one at
  // which it lies whole inside the control.
  HFONT CaptionFont(const ui::ControlDef& def, const std::wstring& text, int dpi);

 private:
  static LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK PanelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK ContainerSubclass(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                            DWORD_PTR data);
  static LRESULT OnCommand(ui::Window& window, WPARAM wp, LPARAM lp);
  static void DrawXpButton(const DRAWITEMSTRUCT& item);
  static LRESULT OnColour(ui::Window& window, HDC dc, HWND control, bool edit, LRESULT fallback);

  static int SystemDpiOf(HWND hwnd);

  HINSTANCE instance_;
  HDC measuring_;      // one memory DC for every measurement of text
  std::wstring face_;  // the face asked for, decided on first use
  std::map<std::pair<int, bool>, HFONT> fonts_;
  std::map<COLORREF, HBRUSH> brushes_;
  HWND tooltip_ = nullptr;

 public:
  HBRUSH Brush(COLORREF colour);
};

// Declares the process DPI-aware: per monitor where Windows offers it, the
// system DPI on Windows 7.
void DeclareDpiAwareness();

}  // namespace morvex::win32
