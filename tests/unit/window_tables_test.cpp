#include "forms/window_tables.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

namespace morvex::forms {
namespace {

using ui::ControlDef;
using ui::Kind;
using ui::WindowDef;

std::string Key(const ControlDef& c) { return ui::ControlKey(c.name, c.index); }

const ControlDef* Find(const WindowDef& w, const std::string& key) {
  for (const auto& c : w.controls)
    if (Key(c) == key) return &c;
  return nullptr;
}

// Top in twips relative to the window's client area.
int AbsoluteTop(const WindowDef& w, const ControlDef& c) {
  int top = c.rect.top;
  for (const ControlDef* p = Find(w, c.parent); p != nullptr; p = Find(w, p->parent))
    top += p->rect.top;
  return top;
}

const std::vector<const WindowDef*> kAllWindows = {&Form1Def(), &Form2Def(), &DeskRDef(),
                                                   &FrmDummyDef()};

TEST(WindowTables, Form1DeclaresItsControlsInOrder) {
  const std::vector<std::string> expected = {"Frame2",
                                             "txtTargetTitle",
                                             "Command3",
                                             "Command8",
                                             "Command7",
                                             "Command6",
                                             "xpButton4",
                                             "txtSekunde",
                                             "txtMinute",
                                             "txtHour",
                                             "chkSound",
                                             "Command5",
                                             "Command4",
                                             "List3",
                                             "Timer1",
                                             "Text1",
                                             "xpRollUpContainer1",
                                             "xpButton8",
                                             "xpButton7",
                                             "Frame5",
                                             "Check2",
                                             "Frame6",
                                             "Combo1",
                                             "Combo2",
                                             "cmdSet",
                                             "cmdStop",
                                             "Label6",
                                             "optSetCount",
                                             "optSetTime",
                                             "tmrCountDown",
                                             "tmrTime",
                                             "Combo3",
                                             "Label5",
                                             "lblHaveTime",
                                             "Frame4",
                                             "Check1",
                                             "xpButton5",
                                             "xpButton2",
                                             "xpButton1",
                                             "cmdRemove",
                                             "optOnLeftClick(0)",
                                             "optOnLeftClick(1)",
                                             "cmdHideForm",
                                             "cmdAdd",
                                             "cmdTerminate",
                                             "cmdSendCloseMessage",
                                             "xpRollUpContainer2",
                                             "Frame7",
                                             "Label11",
                                             "xpButton3",
                                             "xpButton6",
                                             "cmdloeschen",
                                             "cmduebernehmen",
                                             "Frame1",
                                             "List2",
                                             "Command2",
                                             "Label10",
                                             "Frame3",
                                             "List1",
                                             "Command1",
                                             "Label4",
                                             "Label13",
                                             "Label12",
                                             "lblCurrentTimeShow",
                                             "MMC1",
                                             "cmdExit",
                                             "lblVersion",
                                             "Label9",
                                             "Label8",
                                             "Label7",
                                             "Label3",
                                             "Label1",
                                             "Label2",
                                             "mnuPopUp",
                                             "mnuPopUpShowForm",
                                             "mnuPopUpAbout",
                                             "mnleer",
                                             "mnuPopUpQuit",
                                             "mnstartform",
                                             "mnstartanzeigen",
                                             "tmrTrayIcon"};
  std::vector<std::string> actual;
  for (const auto& c : Form1Def().controls) actual.push_back(Key(c));
  EXPECT_EQ(actual, expected);
  // The first row gets the first command ID.
  ASSERT_FALSE(actual.empty());
  EXPECT_EQ(actual.front(), "Frame2");
  EXPECT_EQ(actual.back(), "tmrTrayIcon");

  EXPECT_EQ(Form2Def().controls.size(), 1u);
  EXPECT_EQ(DeskRDef().controls.size(), 7u);
  EXPECT_TRUE(FrmDummyDef().controls.empty());
}

TEST(WindowTables, ContainersAndKeysAreConsistent) {
  for (const WindowDef* w : kAllWindows) {
    SCOPED_TRACE(w->name);
    std::set<std::string> keys;
    std::map<std::string, int> selectedPerGroup;
    for (std::size_t i = 0; i < w->controls.size(); ++i) {
      const ControlDef& c = w->controls[i];
      SCOPED_TRACE(Key(c));
      EXPECT_TRUE(keys.insert(Key(c)).second) << "declared twice";
      if (c.kind == Kind::OptionButton && c.value) ++selectedPerGroup[c.parent];
      if (c.parent.empty()) continue;

      const ControlDef* parent = Find(*w, c.parent);
      ASSERT_NE(parent, nullptr) << "unknown container " << c.parent;
      EXPECT_TRUE(parent->kind == Kind::Frame || parent->kind == Kind::RollUp ||
                  parent->kind == Kind::MenuItem)
          << c.parent << " cannot hold controls";
      // Depth first: a control follows its container or another control that
      // lies (directly or further down) in the same container.
      ASSERT_GT(i, 0u);
      bool contiguous = false;
      for (const ControlDef* p = &w->controls[i - 1]; p != nullptr; p = Find(*w, p->parent))
        if (p->name == c.parent) contiguous = true;
      EXPECT_TRUE(contiguous) << "not next to the rest of " << c.parent;
    }
    for (const auto& [group, count] : selectedPerGroup)
      EXPECT_EQ(count, 1) << "option group in '" << group << "'";
  }
}

TEST(WindowTables, Form1PlacesEveryControlOnOrBelowTheClientArea) {
  const WindowDef& w = Form1Def();
  const std::set<std::string> belowClientArea = {"Frame2",
                                                 "txtTargetTitle",
                                                 "Command3",
                                                 "cmdTerminate",
                                                 "cmdSendCloseMessage",
                                                 "Command8",
                                                 "Command7",
                                                 "Command6",
                                                 "txtHour",
                                                 "txtMinute",
                                                 "txtSekunde",
                                                 "chkSound",
                                                 "Command5",
                                                 "Command4",
                                                 "List3",
                                                 "Text1",
                                                 "cmdRemove",
                                                 "optOnLeftClick(0)",
                                                 "optOnLeftClick(1)",
                                                 "cmdHideForm",
                                                 "cmdAdd",
                                                 "MMC1",
                                                 "Label3"};
  for (const auto& c : w.controls) {
    SCOPED_TRACE(Key(c));
    if (c.kind == Kind::Timer || c.kind == Kind::MenuItem) {
      EXPECT_EQ(c.rect.width, 0);
      EXPECT_EQ(c.rect.height, 0);
      continue;
    }
    EXPECT_GT(c.rect.width, 0);
    EXPECT_GT(c.rect.height, 0);
    const int top = AbsoluteTop(w, c);
    if (belowClientArea.count(Key(c)) != 0) {
      EXPECT_GE(top, w.clientHeight);
      if (c.parent.empty()) {
        EXPECT_LE(c.rect.left + c.rect.width, w.clientWidth);
      }
    } else {
      EXPECT_LE(top + c.rect.height, w.clientHeight);
    }
  }
}

TEST(WindowTables, TextsAreExact) {
  enum class Field { WindowCaption, Caption, Tooltip };
  struct Case {
    const WindowDef& window;
    std::string key;
    Field field;
    std::string expected;
  };
  const Case cases[] = {
      {Form1Def(), "", Field::WindowCaption, "Morvex  ( Für Windows Vista, Windows 7, Windows 8 )"},
      {DeskRDef(), "", Field::WindowCaption, "Morvex  Autostart-Verknüpfung"},
      {Form2Def(), "", Field::WindowCaption, "Bitte Warten.... Aktion wird ausgeführt !"},
      {Form1Def(), "xpRollUpContainer1", Field::Caption,
       "Optionen / Countdown-Planung     Hier Öffnen / Schliessen >>> "},
      {Form1Def(), "cmdExit", Field::Tooltip, " ACHTUNG ! Dies stoppt alle Aktionen !"},
      {Form1Def(), "Label12", Field::Caption,
       "Mit \"Strg + Mausklick links\" können sie einen oder mehrere Task zum Beenden "
       "anwählen. Unselektiert werden alle in der Liste aufgeführten Task-Prozesse beendet. "
       "Alle in der Liste aufgelisteten Task-Prozesse werden per Countdown automatisch "
       "beendet."},
      {Form1Def(), "Label4", Field::Caption,
       "Taskprozess wird nicht angezeigt ? Der  entsprechende Taskprozess muss zuerst "
       "gestartet werden, dann Klick auf Liste aktualisieren, markieren und Übernehemen"},
      {Form1Def(), "cmduebernehmen", Field::Caption, "Übernehemen  >>>"},
      {Form1Def(), "cmdloeschen", Field::Caption, "<<<  Entfernen"},
      {Form1Def(), "Label5", Field::Caption, "  Std.:     Min.:    Sek.:"},
      {Form1Def(), "Label6", Field::Caption, "Stunden       Minuten"},
      {Form1Def(), "Frame4", Field::Caption, "Programm- Startoptionen"},
      {Form1Def(), "txtSekunde", Field::Tooltip, "Setzen Sie hier die Minuten"},
      {Form1Def(), "optOnLeftClick(1)", Field::Caption, "&PopUp Menü"},
      {Form1Def(), "mnuPopUpAbout", Field::Caption, "Über..."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.window.name + " " + c.key);
    if (c.field == Field::WindowCaption) {
      EXPECT_EQ(c.window.caption, c.expected);
      continue;
    }
    const ControlDef* def = Find(c.window, c.key);
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(c.field == Field::Caption ? def->caption : def->tooltip, c.expected);
  }
}

// The design values that start-up, the countdown, the tray and the autostart
// dialog rely on.
TEST(WindowTables, DesignStates) {
  struct Case {
    const WindowDef& window;
    std::string key;
    bool visible;
    bool enabled;
    bool value;
    int interval;
  };
  const Case cases[] = {
      {Form1Def(), "xpRollUpContainer1", true, true, false, 0},
      {Form1Def(), "xpRollUpContainer2", true, true, true, 0},
      {Form1Def(), "optSetCount", false, true, true, 0},
      {Form1Def(), "optSetTime", false, true, false, 0},
      {Form1Def(), "optOnLeftClick(0)", false, true, false, 0},
      {Form1Def(), "optOnLeftClick(1)", false, true, true, 0},
      {Form1Def(), "Check1", true, true, false, 0},
      {Form1Def(), "Check2", true, true, false, 0},
      {Form1Def(), "chkSound", true, true, false, 0},
      {Form1Def(), "tmrCountDown", true, false, false, 1000},
      {Form1Def(), "tmrTime", true, true, false, 1000},
      {Form1Def(), "Timer1", true, true, false, 0},
      {Form1Def(), "txtTargetTitle", true, false, false, 0},
      {Form1Def(), "txtSekunde", true, false, false, 0},
      {Form1Def(), "txtHour", true, true, false, 0},
      {Form1Def(), "Frame7", false, true, false, 0},
      {Form1Def(), "Combo3", false, true, false, 0},
      {Form1Def(), "cmdRemove", false, true, false, 0},
      {Form1Def(), "MMC1", false, true, false, 0},
      {Form1Def(), "mnuPopUp", false, true, false, 0},
      {Form1Def(), "mnstartform", false, true, false, 0},
      {DeskRDef(), "Option1(0)", true, true, false, 0},
      {DeskRDef(), "Option1(1)", true, true, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.window.name + " " + c.key);
    const ControlDef* def = Find(c.window, c.key);
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(def->visible, c.visible);
    EXPECT_EQ(def->enabled, c.enabled);
    EXPECT_EQ(def->value, c.value);
    EXPECT_EQ(def->interval, c.interval);
  }

  const WindowDef& w = Form1Def();
  for (const char* name : {"Combo1", "Combo2", "Combo3", "txtHour", "txtMinute", "txtSekunde"})
    EXPECT_EQ(Find(w, name)->caption, "00") << name;
  for (const char* name : {"txtHour", "txtMinute", "txtSekunde"})
    EXPECT_EQ(Find(w, name)->maxLength, 2) << name;
  EXPECT_TRUE(Find(w, "List2")->multiSelect);
  EXPECT_FALSE(Find(w, "List1")->multiSelect);
  EXPECT_TRUE(Find(w, "mnleer")->separator);
  for (const char* name : {"xpRollUpContainer1", "xpRollUpContainer2"})
    EXPECT_EQ(Find(w, name)->openHeight, 5775) << name;
}

}  // namespace
}  // namespace morvex::forms
