#include "forms/form1.h"

#include "forms/window_tables.h"

namespace morvex::forms {

Form1::Form1(ui::Backend& backend, services::Services& services)
    : ui::Window(Form1Def(), backend), services_(services) {}

Form1::~Form1() { CloseAuxiliaryWindows(); }

ui::Window& Form1::Form2() {
  if (!form2_) form2_ = std::make_unique<ui::Window>(Form2Def(), GetBackend());
  return *form2_;
}

void Form1::CloseForm2() { form2_.reset(); }

ui::Window& Form1::DeskR() {
  if (!deskR_) deskR_ = std::make_unique<ui::Window>(DeskRDef(), GetBackend());
  return *deskR_;
}

ui::Window& Form1::FrmDummy() {
  if (!frmDummy_) frmDummy_ = std::make_unique<ui::Window>(FrmDummyDef(), GetBackend());
  return *frmDummy_;
}

void Form1::CloseAuxiliaryWindows() {
  form2_.reset();
  deskR_.reset();
  frmDummy_.reset();
}

}  // namespace morvex::forms
