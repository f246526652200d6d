// The main window's controls grouped by the job they do. Each part holds the
// controls of one job under names that say what they do; the name beside
// each is the control's name in the window's table, which is also its key in
// config.ini and the name the end-to-end suite finds it by. The parts are
// built once, by name, each control checked against its kind, and handed to
// the subsystems that do the job: no subsystem sees the whole window.
#pragma once

#include <array>
#include <memory>

#include "ui/controls.h"

namespace morvex::forms {

// A window made from its table on first use and kept until it is closed.
class LazyWindow {
 public:
  LazyWindow(const ui::WindowDef& (*def)(), ui::Backend& backend) : def_(def), backend_(backend) {}
  ui::Window& Get();
  bool Made() const { return window_ != nullptr; }
  void Close() { window_.reset(); }

 private:
  const ui::WindowDef& (*def_)();
  ui::Backend& backend_;
  std::unique_ptr<ui::Window> window_;
};

// The running processes to choose from.
struct CataloguePart {
  ui::ListBox& list;    // List1
  ui::Button& refresh;  // Command1
  ui::TextBox& chosen;  // txtTargetTitle: the name last chosen in the list
};

// The names the run ends, kept in List2.txt.
struct KillListPart {
  ui::ListBox& list;        // List2
  ui::Button& take;         // cmduebernehmen: the name chosen in the catalogue into the list
  ui::Button& remove;       // cmdloeschen
  ui::Button& fromService;  // Command8: every running process, from the management service
};

// Ending processes by name: the run over the kill list and its two siblings.
struct EndingPart {
  ui::Button& endNow;       // Command2: the run over the selected entries, or all
  ui::Button& endPerEntry;  // Command3: the typed name handed to TASKKILL once per entry
  ui::Button& endChosen;    // Command6: the name chosen in the catalogue, through the management service
  LazyWindow& waitWindow;   // Form2, shown while a run works
};

// Ending the program that owns a window of a given title.
struct TitleEndingPart {
  ui::Window& window;     // Form1: asked to close when its own window was the target
  ui::TextBox& title;     // txtTargetTitle
  ui::Button& terminate;  // cmdTerminate
  ui::Button& sendClose;  // cmdSendCloseMessage
};

// The countdown and the clock beside it.
struct CountdownPart {
  ui::Window& window;           // Form1: its caption shows the time left
  ui::ComboBox& hours;          // Combo1
  ui::ComboBox& minutes;        // Combo2
  ui::ComboBox& seconds;        // Combo3, hidden
  ui::Button& start;            // cmdSet
  ui::Button& stop;             // cmdStop
  ui::OptionButton& countDown;  // optSetCount
  ui::OptionButton& clockTime;  // optSetTime
  ui::Timer& tick;              // tmrCountDown, once a second while the countdown runs
  ui::Timer& clockTick;         // tmrTime
  ui::Label& timeLeft;          // lblHaveTime
  ui::Frame& stateFrame;        // Frame7: running, paused or expired
  ui::Label& stateTimeLeft;     // Label11, in Frame7
  ui::Label& clock;             // lblCurrentTimeShow
  ui::TextBox& hourField;       // txtHour, hidden, locked while the countdown runs
  ui::TextBox& minuteField;     // txtMinute, likewise
  ui::TextBox& secondField;     // txtSekunde, likewise
  ui::MediaPlayer& player;      // MMC1
};

// The icon in the notification area and hiding the window to it.
struct TrayPart {
  ui::Window& window;                             // Form1: its handle and icon are the icon's
  ui::Button& add;                                // cmdAdd
  ui::Button& remove;                             // cmdRemove
  ui::Button& hide;                               // cmdHideForm
  ui::Button& saveAndHide;                        // xpButton1
  std::array<ui::Button*, 2> saveAllAndHide;      // xpButton3, xpButton4: the kill list saved too
  ui::MenuItem& menu;                             // mnuPopUp
  ui::MenuItem& showWindow;                       // mnuPopUpShowForm "Morvex anzeigen"
  std::array<ui::OptionButton*, 2> onRightClick;  // optOnLeftClick(0) a box, (1) the menu
  ui::Timer& retry;                               // tmrTrayIcon: the add tried again
  LazyWindow& menuOwner;                          // frmDummy, which the menu belongs to
};

// Moving between the pages and to the homepage.
struct NavigationPart {
  ui::Window& window;       // Form1: the browser's owner
  ui::RollUp& options;      // xpRollUpContainer1: the options page
  ui::Button& toOptions;    // xpButton6
  ui::Button& back;         // xpButton8
  ui::Label& homepageLink;  // Label7
  ui::Button& homepage;     // xpButton7
  ui::MenuItem& about;      // mnuPopUpAbout
};

// The shortcut that starts the program at log-on.
struct AutostartPart {
  ui::Window& window;       // Form1: its caption is the hint's title
  ui::Button& create;       // xpButton2
  ui::Button& removalHint;  // xpButton5
  LazyWindow& placeWindow;  // DeskR: where the shortcut goes
};

// How the program starts and ends.
struct StartAndEndPart {
  ui::CheckBox& startHidden;     // Check1: start in the tray, the window hidden
  ui::CheckBox& startCountdown;  // Check2: start the countdown at start-up
  ui::Button& exit;              // cmdExit
  ui::Button& end;               // Command4 "Ende"
  ui::Label& version;            // lblVersion
};

// Every part of the main window, taken from the window built from its table
// (Form1) and its auxiliary windows. Throws std::out_of_range for a control
// the table lacks and std::invalid_argument for one of another kind.
struct Parts {
  Parts(ui::Window& form, LazyWindow& form2, LazyWindow& deskR, LazyWindow& frmDummy);
  ui::Window& window;  // Form1
  CataloguePart catalogue;
  KillListPart killList;
  EndingPart ending;
  TitleEndingPart titleEnding;
  CountdownPart countdown;
  TrayPart tray;
  NavigationPart navigation;
  AutostartPart autostart;
  StartAndEndPart startAndEnd;
};

}  // namespace morvex::forms
