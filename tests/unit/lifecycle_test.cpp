// The program's life: the start-up order, the start options, and what each
// way of ending the program saves.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/lifecycle.h"
#include "countdown/countdown.h"
#include "processes/texts.h"
#include "unit/journal.h"

namespace morvex::testing {
namespace {

using Lines = std::vector<std::string>;

constexpr const char* kKillList = "C:\\Morvex\\List2.txt";
constexpr const char* kConfig = "C:\\Morvex\\config.ini";

// A config.ini of the Form1 section with these lines.
std::string Config(const std::string& lines) { return "[Form1]\r\n" + lines; }

TEST(StartUp, ReadsTheKillListFirstAndAppendsItsEntriesLast) {
  JournalRig rig;
  rig.files.files[kKillList] = "c.exe\r\nb.exe\r\na.exe\r\n";
  // Clock-time mode, so that arming the countdown reads the clock.
  rig.files.files[kConfig] = Config("Check2=1\r\noptSetCount=0\r\noptSetTime=-1\r\nCombo1=5\r\nCombo2=0\r\n");
  rig.snapshot.names = {"x.exe", "y.exe"};
  app::StartUp(rig.Program());

  const Lines expected = {
      "look List2.txt | hidden menu on L1=0 L2=0",
      "read List2.txt | hidden menu on L1=0 L2=0",
      "look config.ini | hidden menu on L1=0 L2=0",
      "config read | hidden menu on L1=0 L2=0",
      "snapshot | hidden menu on L1=0 L2=0",
      "tray add | hidden menu off L1=2 L2=0",
      "config write | shown menu on L1=2 L2=0",
      "clock | shown menu on L1=2 L2=0",
  };
  EXPECT_EQ(rig.journal.Lines(), expected);
  EXPECT_EQ(StateOf(rig.Form()), "shown menu on L1=2 L2=3 armed");
  EXPECT_EQ(ItemsOf(rig.Form().Get<ui::ListBox>("List2")), (std::vector<std::string>{"c.exe", "b.exe", "a.exe"}));
  EXPECT_EQ(rig.Form().Get<ui::ComboBox>("Combo1").Text(), "05");
  EXPECT_EQ(rig.Form().Get<ui::ComboBox>("Combo2").Text(), "03");
}

TEST(StartUp, FirstStartInAnEmptyFolder) {
  JournalRig rig;
  rig.snapshot.names = {"morvex.exe"};
  app::StartUp(rig.Program());
  forms::Form1& form = rig.Form();

  EXPECT_EQ(form.Get<ui::Label>("lblVersion").Caption(), "Version 1.0.230");
  EXPECT_TRUE(form.Get<ui::TextBox>("txtSekunde").Enabled());
  EXPECT_FALSE(form.Get<ui::Button>("cmdloeschen").Enabled());
  EXPECT_TRUE(form.Get<ui::Timer>("tmrTime").Enabled());
  EXPECT_FALSE(form.Get<ui::Timer>("tmrCountDown").Enabled());
  EXPECT_TRUE(form.Get<ui::Button>("cmdSet").Enabled());

  std::vector<std::string> hours, minutes;
  for (int n = 0; n <= 23; ++n) hours.push_back((n < 10 ? "0" : "") + std::to_string(n));
  for (int n = 3; n <= 59; ++n) minutes.push_back((n < 10 ? "0" : "") + std::to_string(n));
  EXPECT_EQ(ItemsOf(form.Get<ui::ComboBox>("Combo1")), hours);
  EXPECT_EQ(ItemsOf(form.Get<ui::ComboBox>("Combo2")), minutes);
  EXPECT_EQ(form.Get<ui::ComboBox>("Combo1").ListIndex(), 0);
  EXPECT_EQ(form.Get<ui::ComboBox>("Combo1").Text(), "00");
  EXPECT_EQ(form.Get<ui::ComboBox>("Combo2").ListIndex(), 0);
  EXPECT_EQ(form.Get<ui::ComboBox>("Combo2").Text(), "03");

  EXPECT_EQ(StateOf(form), "shown menu on L1=1 L2=0");
  EXPECT_EQ(rig.tray.Icons(), 1u);
  EXPECT_EQ(rig.files.files.count(kConfig), 1u);
  EXPECT_EQ(rig.files.files.count(kKillList), 0u);
  EXPECT_TRUE(rig.messages.shown.empty());
}

TEST(StartUp, StoredChooserIndexesSelectTheirItems) {
  const struct {
    const char* stored;
    const char* hours;
    const char* minutes;
  } cases[] = {
      {"Combo1=0\r\nCombo2=0\r\n", "00", "03"},
      {"Combo1=23\r\nCombo2=56\r\n", "23", "59"},
      {"Combo1=9\r\nCombo2=7\r\n", "09", "10"},
      {"Combo1=24\r\nCombo2=57\r\n", "00", "03"},  // beyond the items: the first stays
  };
  for (const auto& c : cases) {
    Rig rig;
    rig.files.files[kConfig] = Config(c.stored);
    app::StartUp(rig.Program());
    EXPECT_EQ(rig.Form().Get<ui::ComboBox>("Combo1").Text(), c.hours) << c.stored;
    EXPECT_EQ(rig.Form().Get<ui::ComboBox>("Combo2").Text(), c.minutes) << c.stored;
  }
}

// Check1 exactly 1 starts in the tray; 0 and the greyed 2 show the window.
TEST(StartUp, OnlyACheck1OfOneKeepsTheWindowHiddenAndConfigUntouched) {
  const struct {
    int check1;
    bool shown;
  } cases[] = {{0, true}, {1, false}, {2, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.check1);
    JournalRig rig;
    const std::string config = Config("Check1=" + std::to_string(c.check1) + "\r\n");
    rig.files.files[kConfig] = config;
    app::StartUp(rig.Program());
    forms::Form1& form = rig.Form();
    EXPECT_EQ(form.Get<ui::CheckBox>("Check1").Value(), c.check1);
    EXPECT_EQ(form.Visible(), c.shown);
    EXPECT_TRUE(form.Get<ui::MenuItem>("mnuPopUpShowForm").Enabled());
    EXPECT_EQ(rig.tray.Icons(), 1u);
    if (c.shown) {
      EXPECT_EQ(rig.journal.Calls().back(), "config write");
    } else {
      EXPECT_EQ(rig.files.writes[kConfig], 0);
      EXPECT_EQ(rig.files.files[kConfig], config);
      EXPECT_EQ(rig.journal.Calls().back(), "tray add");
    }
  }
}

TEST(StartUp, Check2WithValidInputsArmsTheCountdownShownOrHidden) {
  for (const int check1 : {0, 1}) {
    SCOPED_TRACE(check1);
    Rig rig;
    rig.files.files[kConfig] = Config("Check2=1\r\nCombo1=1\r\nCombo2=2\r\nCheck1=" + std::to_string(check1) + "\r\n");
    app::StartUp(rig.Program());
    forms::Form1& form = rig.Form();
    EXPECT_EQ(form.Visible(), check1 == 0);
    EXPECT_TRUE(form.Get<ui::Timer>("tmrCountDown").Enabled());
    EXPECT_FALSE(form.Get<ui::Button>("cmdSet").Enabled());
    EXPECT_EQ(rig.Program().Countdown().varHours, 1);
    EXPECT_EQ(rig.Program().Countdown().varMinutes, 5);
    EXPECT_EQ(rig.Program().Countdown().varSeconds, 0);
    EXPECT_TRUE(rig.messages.shown.empty());
  }
}

TEST(StartUp, Check2ArmsTheTimeTypedInTheRunBefore) {
  Rig rig;
  rig.files.files[kConfig] = Config("optSetCount=0\r\noptSetTime=-1\r\n");
  app::StartUp(rig.Program());
  forms::Form1& form = rig.Form();
  form.Get<ui::ComboBox>("Combo1").SetText("22");  // typed, equal to an item
  form.Get<ui::ComboBox>("Combo2").SetText("00");  // typed, no item
  form.Get<ui::CheckBox>("Check2").UserClicked();
  form.RequestClose();

  rig.program = std::make_unique<app::Program>(rig.backend, rig.services);  // the next log-on
  app::StartUp(rig.Program());
  EXPECT_TRUE(rig.Form().Get<ui::Timer>("tmrCountDown").Enabled());
  EXPECT_EQ(rig.Form().Get<ui::ComboBox>("Combo1").Text(), "22");
  EXPECT_EQ(rig.Form().Get<ui::ComboBox>("Combo2").Text(), "00");
  rig.clock.Pass(1000);
  rig.Form().Get<ui::Timer>("tmrCountDown").Fire();
  EXPECT_EQ(rig.Form().Get<ui::Label>("lblHaveTime").Caption(), "11:39:29");  // from 10:20:31 to 22:00
}

// An hour typed wrong in the run before stands for an invalid saved input.
TEST(StartUp, Check2WithInvalidInputsShowsTheMessageAndTheListStillLoads) {
  const struct {
    const char* hours;
    const char* title;
    const char* text;
  } cases[] = {
      {"5", countdown::kWrongInputTitle, countdown::kLeadingZerosText},
      {"x5", countdown::kWrongInputTitle, countdown::kDigitsOnlyText},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.hours);
    JournalRig rig;
    rig.files.files[kKillList] = "a.exe\r\n";
    rig.files.files[kConfig] = Config(std::string("Check2=1\r\nCombo1=-1\r\nCombo1.Text=") + c.hours + "\r\n");
    app::StartUp(rig.Program());
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0], (ShownMessage{c.text, c.title, services::kExclamation}));
    // The message comes once the start-up has ended, the list loaded.
    EXPECT_EQ(rig.journal.Lines().back(), std::string("message ") + c.title + " | shown menu on L1=0 L2=1");
    EXPECT_FALSE(rig.Form().Get<ui::Timer>("tmrCountDown").Enabled());
    EXPECT_TRUE(rig.Form().Get<ui::Button>("cmdSet").Enabled());
    EXPECT_EQ(ItemsOf(rig.Form().Get<ui::ListBox>("List2")), std::vector<std::string>{"a.exe"});
  }
}

TEST(StartUp, ThreeEntriesComeUnselectedEvenWithStoredListIndexes) {
  Rig rig;
  rig.files.files[kKillList] = "one.exe\r\ntwo.exe\r\nthree.exe\r\n";
  rig.files.files[kConfig] = Config("List2=1\r\nList1=0\r\n");
  rig.snapshot.names = {"a.exe", "b.exe"};
  app::StartUp(rig.Program());
  forms::Form1& form = rig.Form();
  EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), (std::vector<std::string>{"one.exe", "two.exe", "three.exe"}));
  EXPECT_EQ(form.Get<ui::ListBox>("List2").SelCount(), 0);
  EXPECT_EQ(form.Get<ui::ListBox>("List2").ListIndex(), -1);
  EXPECT_EQ(form.Get<ui::ListBox>("List1").SelCount(), 0);
  EXPECT_FALSE(form.Get<ui::Button>("cmdloeschen").Enabled());
  EXPECT_EQ(rig.files.writes[kKillList], 0);
}

// A List2.txt that cannot be read is reported; the start goes on, and the
// close request neither overwrites the file nor fails to end the program.
TEST(StartUp, AnUnreadableKillListIsReportedAndSurvivesTheClose) {
  JournalRig rig;
  rig.files.files[kKillList] = "kept.exe\r\n";
  rig.files.readErrors[kKillList] = "Zugriff verweigert";
  app::StartUp(rig.Program());
  ASSERT_EQ(rig.messages.shown.size(), 1u);
  EXPECT_EQ(rig.messages.shown[0].title, processes::kNotReadTitle);
  // Shown once the start-up has ended.
  EXPECT_EQ(rig.journal.Lines().back(), std::string("message ") + processes::kNotReadTitle + " | shown menu on L1=0 L2=0");
  EXPECT_TRUE(rig.Form().Visible());
  EXPECT_EQ(rig.tray.Icons(), 1u);
  EXPECT_EQ(rig.files.files.count(kConfig), 1u);

  rig.Form().RequestClose();
  EXPECT_EQ(rig.files.writes[kKillList], 0);
  EXPECT_EQ(rig.files.files[kKillList], "kept.exe\r\n");
  EXPECT_EQ(rig.lifetime.ended, 1);
  EXPECT_EQ(rig.tray.Icons(), 0u);
}

TEST(CloseRequest, AFailedWriteOfTheKillListIsReportedAndTheProgramStillEnds) {
  Rig rig;
  rig.files.files[kKillList] = "old.exe\r\n";
  app::StartUp(rig.Program());
  rig.Form().Get<ui::ListBox>("List2").AddItem("new.exe");
  rig.files.writeErrors[kKillList] = "Datenträger voll";
  rig.Form().RequestClose();
  ASSERT_EQ(rig.messages.shown.size(), 1u);
  EXPECT_EQ(rig.messages.shown[0].title, forms::kNotSavedTitle);
  EXPECT_EQ(rig.messages.shown[0].style, services::kCritical);
  EXPECT_EQ(rig.files.files[kKillList], "old.exe\r\n");
  EXPECT_EQ(rig.lifetime.ended, 1);
  EXPECT_EQ(rig.tray.Icons(), 0u);
}

// Each way out, after a start with two kill-list entries and an armed
// countdown: the calls it makes, in order, and what it leaves.
TEST(Exit, EachPathSavesWhatItMustAndNothingMore) {
  const struct {
    const char* name;
    const char* control;  // nullptr: the close request
    Lines calls;
    bool countdownRuns;
    bool clockRuns;
  } cases[] = {
      {"cmdExit", "cmdExit", {"config write", "tray delete", "end"}, false, false},
      {"Command4", "Command4", {"config write", "tray delete", "end"}, true, true},
      {"close", nullptr,
       {"config write", "write List2.txt", "tray add", "config write", "tray delete", "end"}, true, true},
      {"Command5", "Command5", {}, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    JournalRig rig;
    rig.files.files[kKillList] = "b.exe\r\na.exe\r\n";
    rig.files.files[kConfig] = Config("Check2=1\r\n");
    app::StartUp(rig.Program());
    forms::Form1& form = rig.Form();
    ASSERT_TRUE(form.Get<ui::Timer>("tmrCountDown").Enabled());
    form.DeskR();
    form.FrmDummy();
    form.Get<ui::ListBox>("List2").RemoveItem(1);  // a change the file does not hold yet
    rig.journal.Clear();

    if (c.control) {
      form.Find(c.control).UserClicked();
    } else {
      form.RequestClose();
    }
    EXPECT_EQ(rig.journal.Calls(), c.calls);
    EXPECT_EQ(form.Get<ui::Timer>("tmrCountDown").Enabled(), c.countdownRuns);
    EXPECT_EQ(form.Get<ui::Timer>("tmrTime").Enabled(), c.clockRuns);
    const bool ended = !c.calls.empty();
    EXPECT_EQ(rig.lifetime.ended, ended ? 1 : 0);
    EXPECT_EQ(rig.tray.Icons(), ended ? 0u : 1u);
    EXPECT_EQ(rig.files.files[kKillList], c.control ? "b.exe\r\na.exe\r\n" : "b.exe\r\n");
    EXPECT_EQ(form.HasDeskR(), c.control != nullptr);
    EXPECT_EQ(form.HasFrmDummy(), c.control != nullptr);
    EXPECT_TRUE(rig.messages.shown.empty());
  }
}

// A later start from the same folder asks this copy to show its window: it is
// shown as "Morvex anzeigen" shows it, with no file written and no icon added,
// once a running handler (the start-up, a run) has ended.
TEST(ShowRequest, ShowsTheWindowAsTheTrayMenuDoesOnceTheRunningHandlerHasEnded) {
  enum class When { InTheTray, DuringTheStartUp, DuringARun };
  for (const When when : {When::InTheTray, When::DuringTheStartUp, When::DuringARun}) {
    SCOPED_TRACE(static_cast<int>(when));
    JournalRig rig;
    forms::Form1& form = rig.Form();
    bool shownWhenAsked = false;
    const auto ask = [&] {
      form.ShowRequested();
      shownWhenAsked = form.Visible();
    };
    rig.files.files[kKillList] = "a.exe\r\n";
    rig.files.files[kConfig] = Config("Check1=1\r\n");
    // Asked while the start-up reads config.ini.
    if (when == When::DuringTheStartUp) {
      rig.files.onRead = [&](const std::string&) {
        rig.files.onRead = nullptr;
        ask();
      };
    }
    app::StartUp(rig.Program());
    rig.journal.Clear();
    if (when == When::InTheTray) {
      ask();
      EXPECT_TRUE(rig.journal.Lines().empty());
    }
    if (when == When::DuringARun) {
      rig.commands.onWait = [&] {
        rig.commands.onWait = nullptr;
        ask();
      };
      form.Get<ui::Button>("Command2").UserClicked();
    }
    if (when != When::InTheTray) {
      EXPECT_FALSE(shownWhenAsked);
    }
    EXPECT_EQ(StateOf(form), "shown menu off L1=0 L2=1");
  }
}

TEST(CloseRequest, SavesTheCurrentValuesAndHidesBeforeItEnds) {
  JournalRig rig;
  app::StartUp(rig.Program());
  forms::Form1& form = rig.Form();
  form.Get<ui::CheckBox>("chkSound").UserClicked();
  rig.journal.Clear();
  form.RequestClose();
  EXPECT_NE(rig.files.files[kConfig].find("\r\nchkSound=1\r\n"), std::string::npos);
  EXPECT_EQ(rig.files.files[kKillList], "");
  const Lines expected = {
      "config write | shown menu on L1=0 L2=0",    "write List2.txt | shown menu on L1=0 L2=0",
      "tray add | shown menu on L1=0 L2=0",        "config write | hidden menu on L1=0 L2=0",
      "tray delete | hidden menu on L1=0 L2=0",    "end | hidden menu on L1=0 L2=0",
  };
  EXPECT_EQ(rig.journal.Lines(), expected);
}

}  // namespace
}  // namespace morvex::testing
