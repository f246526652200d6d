// The main window: its controls (built from its table), the bundle of
// services and the auxiliary windows. It knows nothing of the subsystems,
// nor they of it: each gets the parts of the window it works on
// (forms/parts.h) from the program's wiring (app/).
#pragma once

#include "forms/parts.h"
#include "forms/texts.h"
#include "services/services.h"
#include "ui/controls.h"

namespace morvex::forms {

class Form1 : public ui::Window {
 public:
  Form1(ui::Backend& backend, services::Services& services);
  ~Form1() override;

  services::Services& Svc() const { return services_; }

  // Auxiliary windows, created on first use and kept until the program ends.
  LazyWindow& Form2Window() { return form2_; }  // the wait window; created anew for each run
  LazyWindow& DeskRWindow() { return deskR_; }
  LazyWindow& FrmDummyWindow() { return frmDummy_; }
  ui::Window& Form2() { return form2_.Get(); }
  bool HasForm2() const { return form2_.Made(); }
  ui::Window& DeskR() { return deskR_.Get(); }
  bool HasDeskR() const { return deskR_.Made(); }
  ui::Window& FrmDummy() { return frmDummy_.Get(); }
  bool HasFrmDummy() const { return frmDummy_.Made(); }
  // Closes every auxiliary window that is open.
  void CloseAuxiliaryWindows();

 private:
  services::Services& services_;
  LazyWindow form2_;
  LazyWindow deskR_;
  LazyWindow frmDummy_;
};

}  // namespace morvex::forms
