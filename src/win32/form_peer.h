// The peer of a top-level window (a form). It keeps the form's record (the
// way back from the window to the toolkit); the window goes with it.
#pragma once

#include <windows.h>

#include <string>

#include "ui/controls.h"
#include "win32/handles.h"
#include "win32/window_record.h"

namespace morvex::win32 {

class FormPeer : public ui::WindowPeer {
 public:
  FormPeer(HWND hwnd, ui::Window& window, Win32Backend& backend);
  ~FormPeer() override;

  void SetCaption(const std::string& caption) override;
  std::string Caption() const override;
  void SetVisible(bool visible) override;
  bool Visible() const override;
  void Destroy() override;
  bool PointerOverWindow() const override;
  void SetForeground() override;
  void PopupMenu(const ui::WindowPeer& menuWindow, int menu, int defaultItem) override;
  std::uintptr_t Handle() const override;
  std::uintptr_t IconHandle() const override;
  bool TipsAdded() const { return tipsAdded_; }

 private:
  WindowRecord record_;  // its DPI at first the one the form was created at
  UniqueWindow hwnd_;
  bool tipsAdded_ = false;  // at the first show
};

}  // namespace morvex::win32
