#include "forms/form1.h"

#include "forms/window_tables.h"

namespace morvex::forms {

Form1::Form1(ui::Backend& backend, services::Services& services)
    : ui::Window(Form1Def(), backend),
      services_(services),
      form2_(Form2Def, backend),
      deskR_(DeskRDef, backend),
      frmDummy_(FrmDummyDef, backend) {}

Form1::~Form1() { CloseAuxiliaryWindows(); }

void Form1::CloseAuxiliaryWindows() {
  form2_.Close();
  deskR_.Close();
  frmDummy_.Close();
}

}  // namespace morvex::forms
