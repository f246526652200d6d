#include "forms/window_tables.h"

#include "ui/row.h"

// The tables of the windows beside the main window (form1_table.cpp).
namespace morvex::forms {

using ui::Border;
using ui::Kind;
using ui::Row;
using ui::WindowDef;

namespace {

WindowDef BuildForm2() {
  WindowDef w;
  w.name = "Form2";
  w.caption = "Bitte Warten.... Aktion wird ausgeführt !";
  w.clientWidth = 3765;
  w.clientHeight = 2325;
  w.border = Border::Sizable;
  w.showInTaskbar = false;
  w.centred = true;
  w.iconId = 1;  // the program's own
  w.controls = {
      Row("Label1", Kind::Label)
          .Text("Bitte Warten ! Taskprozesse beenden wird ausgeführt !")
          .At(555, 480, 2655, 1575)
          .Size(13.5)
          .Bold()
          .Centred(),
  };
  return w;
}

WindowDef BuildDeskR() {
  WindowDef w;
  w.name = "DeskR";
  w.caption = "Morvex  Autostart-Verknüpfung";
  w.clientWidth = 4680;
  w.clientHeight = 2925;
  w.border = Border::FixedDialog;
  w.showInTaskbar = false;
  w.centred = true;
  w.iconId = 2;
  w.controls = {
      Row("Frame1", Kind::Frame).Text("Verknüpfung mit ..").At(0, 360, 4575, 2295),
      Row("Option1", Kind::OptionButton)
          .Index(0)
          .In("Frame1")
          .Text("&Desktop")
          .At(240, 360, 2175, 255),
      Row("Option1", Kind::OptionButton)
          .Index(1)
          .In("Frame1")
          .Text("&Autostart-Ordner")
          .At(240, 720, 2175, 255)
          .On(),
      Row("Command1", Kind::Button).Text("&Verknüpfen").At(3120, 840, 1215, 375),
      Row("Frame2", Kind::Frame).At(120, 360, 4335, 1935),
      Row("Label1", Kind::Label)
          .In("Frame2")
          .Text("Desktopverknüpfung wurde angelegt")
          .At(120, 360, 4095, 375)
          .Size(9.75)
          .Bold()
          .Centred(),
      Row("Command2", Kind::Button).In("Frame2").Text("&OK").At(720, 960, 1215, 375),
  };
  return w;
}

WindowDef BuildFrmDummy() {
  WindowDef w;
  w.name = "frmDummy";
  w.clientWidth = 1185;
  w.clientHeight = 1155;
  w.border = Border::None;
  w.showInTaskbar = false;
  w.centred = false;
  return w;
}

}  // namespace

const WindowDef& Form2Def() {
  static const WindowDef def = BuildForm2();
  return def;
}

const WindowDef& DeskRDef() {
  static const WindowDef def = BuildDeskR();
  return def;
}

const WindowDef& FrmDummyDef() {
  static const WindowDef def = BuildFrmDummy();
  return def;
}

}  // namespace morvex::forms
