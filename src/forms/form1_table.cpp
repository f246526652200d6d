#include "forms/window_tables.h"

#include <cstdint>

#include "ui/row.h"

// The main window's table; the other windows' are in window_tables.cpp.
namespace morvex::forms {

using ui::Border;
using ui::Kind;
using ui::Row;
using ui::WindowDef;

namespace {

constexpr std::uint32_t kDarkBlue = 0x000080;
constexpr std::uint32_t kRed = 0xFF0000;
constexpr std::uint32_t kYellow = 0xFFFF00;
constexpr std::uint32_t kBlack = 0x000000;

// Both pages share this place; the options page's header bar is all that shows
// of a closed panel.
constexpr int kPanelClosedHeight = 375;
constexpr int kPanelOpenHeight = 5775;

// Everything below the client area (Top 7470 and more) is not seen by the user
// but stays reachable with the keyboard, after what is seen. It is laid out in
// rows:
//   7600  Frame2 (two rows high) | cmdTerminate  cmdSendCloseMessage  Command8
//   8100                         | Command7      Command6             Command5
//   8700  txtHour txtMinute txtSekunde chkSound Command4 Text1 cmdAdd cmdHideForm cmdRemove
//   9200  optOnLeftClick(0) optOnLeftClick(1) MMC1 Label3 List3
constexpr int kRow1 = 7600;
constexpr int kRow2 = 8100;
constexpr int kRow3 = 8700;
constexpr int kRow4 = 9200;

WindowDef BuildForm1() {
  WindowDef w;
  w.name = "Form1";
  w.caption = "Morvex  ( Für Windows Vista, Windows 7, Windows 8 )";
  w.clientWidth = 10275;
  w.clientHeight = 7470;
  w.border = Border::FixedSingle;
  w.showInTaskbar = true;
  w.centred = true;
  w.iconId = 1;
  // The order of the rows is the window's declaration order and carries
  // meaning; do not sort or regroup them:
  //  - a control's command ID is 1000 + its row's position, so moving a row
  //    renumbers every control after it (the end-to-end tests find controls
  //    by these IDs);
  //  - config.ini is written and read by walking the rows in this order, and
  //    a restored value runs the control's reaction in this order too;
  //  - of two overlapping siblings the one declared first lies on top (the
  //    options page before the start page);
  //  - the windows are made in this order. Tab does not walk it: it follows
  //    the reading order of what is shown (ui/tab_order.h).
  // A container comes before the controls it holds. A new control goes where
  // the design declares it, and its parent's row must come first.
  w.controls = {
      // Below the client area: the single-process frame and the leftover
      // buttons and fields.
      Row("Frame2", Kind::Frame)
          .Text("Diesen Taskprozess manuell Beenden")
          .At(120, kRow1, 5055, 975),
      Row("txtTargetTitle", Kind::TextBox).In("Frame2").At(120, 360, 2535, 315).Disabled(),
      Row("Command3", Kind::XpButton)
          .In("Frame2")
          .Text("Nur diesen Taskprozess beenden")
          .At(2760, 240, 2175, 495),
      // These three buttons carry the captions of the design, which are not
      // their names: Command8 reads "Command1", Command7 "Command2" and
      // Command6 "Command3". Nobody sees them; Tab reaches them.
      Row("Command8", Kind::Button).Text("Command1").At(8880, kRow1, 1215, 375),
      Row("Command7", Kind::Button).Text("Command2").At(5400, kRow2, 1335, 375),
      Row("Command6", Kind::Button).Text("Command3").At(6840, kRow2, 1335, 375),

      // Top band (first part).
      Row("xpButton4", Kind::XpButton).Text("In den Tray minimieren").At(7920, 600, 2175, 375),

      // Below the client area: the three clock fields and their neighbours.
      Row("txtSekunde", Kind::TextBox)
          .Text("00")
          .At(1320, kRow3, 495, 315)
          .Tip("Setzen Sie hier die Minuten")
          .Fore(kYellow)
          .Back(kBlack)
          .Centred()
          .Disabled()
          .MaxLength(2),
      Row("txtMinute", Kind::TextBox)
          .Text("00")
          .At(720, kRow3, 495, 315)
          .Tip("Setzen Sie hier die Minuten")
          .Fore(kYellow)
          .Back(kBlack)
          .Centred()
          .MaxLength(2),
      Row("txtHour", Kind::TextBox)
          .Text("00")
          .At(120, kRow3, 495, 315)
          .Tip("Setzen Sie hier die Stunde")
          .Fore(kYellow)
          .Back(kBlack)
          .Centred()
          .MaxLength(2),
      Row("chkSound", Kind::CheckBox).Text("SOUND").At(1920, kRow3, 1095, 255),
      Row("Command5", Kind::Button).Text("Countdown").At(8280, kRow2, 1335, 375),
      Row("Command4", Kind::Button).Text("Ende").At(3120, kRow3, 1335, 375),
      Row("List3", Kind::ListBox).At(7200, kRow4, 1215, 645),
      Row("Timer1", Kind::Timer).Interval(0),
      Row("Text1", Kind::TextBox).Text("Text1").At(4560, kRow3, 1335, 315),

      // Options page (closed at start).
      Row("xpRollUpContainer1", Kind::RollUp)
          .Text("Optionen / Countdown-Planung     Hier Öffnen / Schliessen >>> ")
          .At(120, 1080, 9975, kPanelClosedHeight)
          .Bold()
          .OpenHeight(kPanelOpenHeight),
      Row("xpButton8", Kind::XpButton)
          .In("xpRollUpContainer1")
          .Text("Zurück zur Startseite")
          .At(960, 4080, 3375, 495),
      Row("xpButton7", Kind::XpButton)
          .In("xpRollUpContainer1")
          .Text("Homepage besuchen")
          .At(960, 4800, 3375, 495),
      Row("Frame5", Kind::Frame)
          .In("xpRollUpContainer1")
          .Text("Countdown-Funktion")
          .At(240, 480, 4935, 3375),
      Row("Check2", Kind::CheckBox)
          .In("Frame5")
          .Text("Countdown beim Programmstart automatisch aktivieren")
          .At(240, 2880, 4455, 255),
      Row("Frame6", Kind::Frame)
          .In("Frame5")
          .Text("Countdown einstellen")
          .At(120, 1200, 4695, 1095),
      // Label6 above them names both; a screen reader hears each by its own.
      Row("Combo1", Kind::ComboBox).In("Frame6").Text("00").At(1560, 600, 615, 315).Named("Stunden"),
      Row("Combo2", Kind::ComboBox).In("Frame6").Text("00").At(2520, 600, 615, 315).Named("Minuten"),
      Row("cmdSet", Kind::XpButton).In("Frame6").Text("Starten").At(120, 600, 1215, 375),
      Row("cmdStop", Kind::XpButton).In("Frame6").Text("Stop").At(3360, 600, 1215, 375),
      Row("Label6", Kind::Label)
          .In("Frame6")
          .Text("Stunden       Minuten")
          .At(1560, 360, 1575, 255),
      // The mode buttons, the seconds field and the timers lie below the
      // frame's visible height and are not shown in any case.
      Row("optSetCount", Kind::OptionButton)
          .In("Frame5")
          .Text("COUNT")
          .At(3840, 4200, 735, 195)
          .Hidden()
          .On(),
      Row("optSetTime", Kind::OptionButton)
          .In("Frame5")
          .Text("TIME")
          .At(3840, 4560, 615, 195)
          .Hidden(),
      Row("tmrCountDown", Kind::Timer).In("Frame5").Disabled().Interval(1000),
      Row("tmrTime", Kind::Timer).In("Frame5").Interval(1000),
      Row("Combo3", Kind::ComboBox).In("Frame5").Text("00").At(120, 4680, 1455, 315).Hidden(),
      Row("Label5", Kind::Label)
          .In("Frame5")
          .Text("  Std.:     Min.:    Sek.:")
          .At(1560, 840, 1695, 255),
      Row("lblHaveTime", Kind::Label)
          .In("Frame5")
          .Text("00:00:00")
          .At(1320, 360, 2055, 735)
          .Size(18)
          .Bold()
          .Centred(),
      Row("Frame4", Kind::Frame)
          .In("xpRollUpContainer1")
          .Text("Programm- Startoptionen")
          .At(5520, 480, 4335, 5055),
      Row("Check1", Kind::CheckBox)
          .In("Frame4")
          .Text("Beim Programmstart minimiert in den Tray laden")
          .At(240, 3360, 3735, 195),
      Row("xpButton5", Kind::XpButton)
          .In("Frame4")
          .Text("Programm nicht mehr mit Windows starten")
          .At(120, 1800, 4095, 1095)
          .Size(9.75)
          .Bold(),
      Row("xpButton2", Kind::XpButton)
          .In("Frame4")
          .Text("Programm beim Windowsstart laden ? Dies ist für die Timerfunktion notwendig !")
          .At(120, 360, 4095, 1215)
          .Size(12)
          .Bold(),
      Row("xpButton1", Kind::XpButton)
          .In("Frame4")
          .Text("In den Tray minimieren")
          .At(120, 4320, 4095, 495),

      // Below the client area: the tray buttons and the tray mode.
      Row("cmdRemove", Kind::Button)
          .Text("&Entfernen")
          .At(8880, kRow3, 1215, 375)
          .Tip("Removes the icon from the systray")
          .Hidden(),
      Row("optOnLeftClick", Kind::OptionButton)
          .Index(0)
          .Text("&MessageBox")
          .At(120, kRow4, 1575, 255)
          .Hidden(),
      Row("optOnLeftClick", Kind::OptionButton)
          .Index(1)
          .Text("&PopUp Menü")
          .At(1800, kRow4, 1575, 255)
          .Hidden()
          .On(),
      Row("cmdHideForm", Kind::Button)
          .Text("&Verstecken")
          .At(7440, kRow3, 1335, 375)
          .Tip("Hides this form and adds the icon to the systray if not already done"),
      Row("cmdAdd", Kind::Button)
          .Text("&Hinzufügen")
          .At(6000, kRow3, 1335, 375)
          .Tip("Adds the icon to the systray"),
      Row("cmdTerminate", Kind::Button).Text("Terminate").At(5400, kRow1, 1335, 375),
      Row("cmdSendCloseMessage", Kind::Button)
          .Text("Send Close Message")
          .At(6840, kRow1, 1935, 375),

      // Start page (open at start).
      Row("xpRollUpContainer2", Kind::RollUp)
          .At(120, 1080, 9975, kPanelClosedHeight)
          .On()
          .OpenHeight(kPanelOpenHeight),
      Row("Frame7", Kind::Frame)
          .In("xpRollUpContainer2")
          .Text("Countdown läuft")
          .At(3480, 4200, 2895, 735)
          .Hidden(),
      Row("Label11", Kind::Label)
          .In("Frame7")
          .Text("Label11")
          .At(240, 240, 2415, 375)
          .Size(12)
          .Bold()
          .Fore(kRed)
          .Centred(),
      Row("xpButton3", Kind::XpButton)
          .In("xpRollUpContainer2")
          .Text("In den Tray minimieren")
          .At(7080, 5040, 2655, 495),
      Row("xpButton6", Kind::XpButton)
          .In("xpRollUpContainer2")
          .Text("Taskliste: Countdown-Planung")
          .At(3600, 5040, 2655, 495),
      Row("cmdloeschen", Kind::XpButton)
          .In("xpRollUpContainer2")
          .Text("<<<  Entfernen")
          .At(3480, 1680, 2895, 495),
      Row("cmduebernehmen", Kind::XpButton)
          .In("xpRollUpContainer2")
          .Text("Übernehemen  >>>")
          .At(3480, 960, 2895, 495),
      Row("Frame1", Kind::Frame)
          .In("xpRollUpContainer2")
          .Text("Gespeicherte Prozesse zum Beenden")
          .At(6960, 480, 2895, 4455),
      Row("List2", Kind::ListBox).In("Frame1").At(120, 240, 2625, 2565).MultiSelect(),
      Row("Command2", Kind::XpButton)
          .In("Frame1")
          .Text("Taskprozesse in der Liste jetzt manuell Beenden")
          .At(120, 3600, 2655, 735),
      Row("Label10", Kind::Label)
          .In("Frame1")
          .Text("Task / Programm-Prozesse für ein automatisches Beenden müssen oben "
                "gelistet sein !")
          .At(120, 2880, 2655, 615)
          .Bold()
          .Centred(),
      Row("Frame3", Kind::Frame)
          .In("xpRollUpContainer2")
          .Text("Prozesse des Taskmanagers")
          .At(120, 480, 2895, 5175),
      Row("List1", Kind::ListBox).In("Frame3").At(120, 240, 2640, 2565),
      Row("Command1", Kind::XpButton)
          .In("Frame3")
          .Text("Klicken und Liste aktualisieren")
          .At(120, 4440, 2655, 615),
      Row("Label4", Kind::Label)
          .In("Frame3")
          .Text("Taskprozess wird nicht angezeigt ? Der  entsprechende Taskprozess muss "
                "zuerst gestartet werden, dann Klick auf Liste aktualisieren, markieren "
                "und Übernehemen")
          .At(120, 3000, 2655, 1455)
          .Bold()
          .Centred(),
      Row("Label13", Kind::Label)
          .In("xpRollUpContainer2")
          .Text(">>>>")
          .At(6360, 2520, 495, 255)
          .Bold(),
      Row("Label12", Kind::Label)
          .In("xpRollUpContainer2")
          .Text("Mit \"Strg + Mausklick links\" können sie einen oder mehrere Task zum "
                "Beenden anwählen. Unselektiert werden alle in der Liste aufgeführten "
                "Task-Prozesse beendet. Alle in der Liste aufgelisteten Task-Prozesse "
                "werden per Countdown automatisch beendet.")
          .At(3480, 2520, 2895, 1335)
          .Centred(),
      Row("lblCurrentTimeShow", Kind::Label)
          .In("xpRollUpContainer2")
          .Text("00:00:00")
          .At(0, 0, 990, 270)
          .Centred(),

      // Below the client area: the sound player.
      Row("MMC1", Kind::MediaPlayer).At(3480, kRow4, 2415, 375).Hidden(),

      // Top band (second part) and the warning at the foot.
      Row("cmdExit", Kind::XpButton)
          .Text("Beenden und Deaktivieren")
          .At(7920, 120, 2175, 375)
          .Tip(" ACHTUNG ! Dies stoppt alle Aktionen !"),
      Row("lblVersion", Kind::Label).Text("Version").At(1080, 600, 1215, 255),
      Row("Label9", Kind::Label)
          .Text("WARNUNG: Geöffnete Anwendungen werden nicht gespeichert ! Verwendung des "
                "Programms auf eigene Gefahr !")
          .At(120, 7080, 9975, 255)
          .Centred(),
      Row("Label8", Kind::Label).Text("Freeware").At(240, 600, 735, 255),
      Row("Label7", Kind::Label).Text("© Morvex-Projekt").At(240, 240, 2175, 255).Fore(kDarkBlue),
      Row("Label3", Kind::Label).Text("<<<< MMC1").At(6000, kRow4, 1095, 255),
      Row("Label1", Kind::Label)
          .Text("Prozesse des Taskmanagers manuell oder automatisch Beenden lassen")
          .At(2520, 600, 5175, 255)
          .Centred(),
      Row("Label2", Kind::Label)
          .Text("Morvex")
          .At(3945, 120, 2325, 360)
          .Size(13.5)
          .Bold()
          .Fore(kDarkBlue)
          .Centred(),

      // Menus: both top menus are hidden, so the window has no menu bar; the
      // tray opens mnuPopUp as a popup. Its first item is the default one,
      // drawn in bold.
      Row("mnuPopUp", Kind::MenuItem).Text("<popup menu>").Hidden(),
      Row("mnuPopUpShowForm", Kind::MenuItem).In("mnuPopUp").Text("&Morvex anzeigen").Bold(),
      Row("mnuPopUpAbout", Kind::MenuItem).In("mnuPopUp").Text("Über..."),
      Row("mnleer", Kind::MenuItem).In("mnuPopUp").Text("-").Separator(),
      Row("mnuPopUpQuit", Kind::MenuItem).In("mnuPopUp").Text("Menu schliessen"),
      Row("mnstartform", Kind::MenuItem).Text("Startformular anzeigen").Hidden(),
      Row("mnstartanzeigen", Kind::MenuItem).In("mnstartform").Text("Startformular anzeigen"),

      // After the rows above, so that none of their IDs moves: the timer
      // that tries the tray icon's add again while the shell refuses it.
      Row("tmrTrayIcon", Kind::Timer).Disabled().Interval(1000),
  };
  return w;
}

}  // namespace

const WindowDef& Form1Def() {
  static const WindowDef def = BuildForm1();
  return def;
}

}  // namespace morvex::forms
