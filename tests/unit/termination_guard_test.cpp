// Where a kill-list run must hold back: the program's own process, the
// processes Windows needs, and entries its file does not hold.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "processes/killlist.h"
#include "processes/texts.h"
#include "unit/termination_fixture.h"

namespace morvex::testing {
namespace {

// The program runs as process 4242 with the image name morvex.exe; another
// copy of it runs as 77, and one more whose identifier cannot be read. Every
// way of ending ends 77 alone, and each TASKKILL for the name, in any letter
// case, spares 4242. The program descends from explorer.exe: no TASKKILL for
// that name has /T, which would end the program among its descendants. A
// TASKKILL the run could not end (9000) is never ended by the service.
TEST(OwnProcess, NoWayOfEndingEndsIt) {
  enum class Way { kCommand2, kExpiry, kCommand3, kCommand6 };
  struct Case {
    Way way;
    std::string name;
    std::vector<std::uint32_t> terminated;
    Lines commands;
  };
  const auto spared = [](const std::string& name) {
    return "\"" + kTaskkill + "\" /F /IM " + name + " /FI \"PID ne 4242\" /T";
  };
  const std::string treeless = "\"" + kTaskkill + "\" /F /IM Explorer.exe";
  const Case cases[] = {
      {Way::kCommand2, "morvex.exe", {77}, {spared("morvex.exe")}},
      {Way::kExpiry, "MORVEX.EXE", {}, {spared("MORVEX.EXE")}},
      {Way::kCommand3, "Morvex.exe", {}, {spared("Morvex.exe")}},
      {Way::kCommand6, "morvex.exe", {77}, {}},
      {Way::kCommand2, "Explorer.exe", {}, {treeless}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name + " " + std::to_string(static_cast<int>(c.way)));
    Rig rig;
    forms::Form1& form = rig.Form();
    rig.lifetime.ancestors = {"explorer.exe"};
    rig.files.files[processes::KillListPath(rig.files)] = c.name + "\r\n";
    rig.Program().KillList().LoadKillList();
    rig.management.captions = {"morvex.exe", "morvex.exe", "morvex.exe"};
    rig.management.ids = {4242, 0, 77};
    rig.snapshot.names = {c.name};
    form.Get<ui::Button>("Command1").UserClicked();
    Rig::Peer(form.Get<ui::ListBox>("List1")).UserSelect(0, false);
    form.Get<ui::ListBox>("List1").UserClicked();  // also the target of Command3

    switch (c.way) {
      case Way::kCommand2: form.Get<ui::Button>("Command2").UserClicked(); break;
      case Way::kExpiry: rig.Program().Countdown().onExpiry(); break;
      case Way::kCommand3: form.Get<ui::Button>("Command3").UserClicked(); break;
      case Way::kCommand6: form.Get<ui::Button>("Command6").UserClicked(); break;
    }
    EXPECT_EQ(rig.management.terminatedIds, c.terminated);
    EXPECT_EQ(rig.commands.lines, c.commands);
  }

  Rig rig;
  rig.files.files[processes::KillListPath(rig.files)] = "taskkill.exe\r\n";
  rig.Program().KillList().LoadKillList();
  rig.commands.programsEnd = false;
  rig.commands.endable = false;
  rig.management.captions = {"taskkill.exe"};
  rig.management.ids = {9000};
  rig.Form().Get<ui::Button>("Command2").UserClicked();  // its TASKKILL, 9000, cannot be ended
  rig.Form().Get<ui::Button>("Command2").UserClicked();
  EXPECT_EQ(rig.management.terminatedIds, std::vector<std::uint32_t>{9000});  // by the first run alone
}

// Each name of a process Windows needs, in any letter case: refused by
// cmduebernehmen, left out by Command8, passed over by every way of ending,
// and kept in List2 and its file as written.
TEST(ProtectedNames, AreNeverCopiedFilledInOrHandedOn) {
  const std::string file = "C:\\Morvex\\List2.txt";
  for (const std::string name :
       {"System", "System Idle Process", "Idle", "Registry", "Secure System", "Memory Compression", "smss.exe",
        "csrss.exe", "wininit.exe", "winlogon.exe", "services.exe", "lsass.exe", "lsaiso.exe", "svchost.exe",
        "[System Process]", "CSRSS.EXE", "Lsass.Exe", "system", "wininit.exe "}) {
    SCOPED_TRACE(name);
    Rig rig;
    forms::Form1& form = rig.Form();
    rig.snapshot.names = {name};
    form.Get<ui::Button>("Command1").UserClicked();
    Rig::Peer(form.Get<ui::ListBox>("List1")).UserSelect(0, false);
    form.Get<ui::ListBox>("List1").UserClicked();
    form.Get<ui::Button>("cmduebernehmen").UserClicked();
    EXPECT_EQ(rig.messages.shown, (std::vector<ShownMessage>{{processes::ProtectedNameText(name),
                                                              "Geschützter Prozess", services::kExclamation}}));
    EXPECT_EQ(form.Get<ui::ListBox>("List2").ListCount(), 0);

    rig.management.captions = {name, "a.exe"};
    form.Get<ui::Button>("Command8").UserClicked();
    EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), Lines{"a.exe"});

    rig.files.files[file] = name + "\r\na.exe\r\n";
    form.Get<ui::ListBox>("List2").Clear();
    rig.Program().KillList().LoadKillList();
    rig.snapshot.names.clear();
    form.Get<ui::Button>("Command2").UserClicked();
    form.Get<ui::Button>("Command3").UserClicked();  // the target is the name, from the click on List1
    Rig::Peer(form.Get<ui::ListBox>("List1")).UserSelect(0, false);
    form.Get<ui::Button>("Command6").UserClicked();
    EXPECT_EQ(rig.management.terminated, Lines{"a.exe"});
    EXPECT_EQ(rig.commands.lines, Lines{Kill("a.exe")});
    EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), (Lines{name, "a.exe"}));
    EXPECT_EQ(rig.files.files[file], name + "\r\na.exe\r\n");
  }
}

// A file that does not hold what List2 shows (its last save failed, or it was
// read only in part), or a reload that fails: the run puts back what List2
// held before it, and the next save keeps every entry. A failed reload of the
// file is told after the run of Command2; a file that has gone is not.
TEST(UnsavedEntries, SurviveARun) {
  enum class Fault { kSaveFailed, kReadInPart, kReloadFails, kFileGone };
  struct Case {
    const char* what;
    Fault fault;
    Lines after;
  };
  const Case cases[] = {
      {"save failed", Fault::kSaveFailed, {"a.exe", "new.exe"}},
      {"read in part", Fault::kReadInPart, {"a.exe"}},
      {"reload fails", Fault::kReloadFails, {"a.exe", "b.exe"}},
      {"file gone", Fault::kFileGone, {"a.exe", "b.exe"}},
  };
  const std::string held = "Der Prozess kann nicht auf die Datei zugreifen.";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Rig rig;
    forms::Form1& form = rig.Form();
    const std::string file = processes::KillListPath(rig.files);
    rig.files.files[file] = "a.exe\r\nb.exe\r\n";
    if (c.fault == Fault::kReadInPart) rig.files.readErrors[file] = "Zugriff verweigert";
    rig.Program().KillList().LoadKillList();
    if (c.fault == Fault::kReadInPart) {
      form.Get<ui::ListBox>("List2").AddItem("a.exe");  // as much as could be read
    } else if (c.fault == Fault::kSaveFailed) {
      rig.files.writeErrors[file] = "Zugriff verweigert";
      rig.snapshot.names = {"new.exe"};
      form.Get<ui::Button>("Command1").UserClicked();
      Rig::Peer(form.Get<ui::ListBox>("List1")).UserSelect(0, false);
      form.Get<ui::Button>("cmduebernehmen").UserClicked();
      Rig::Peer(form.Get<ui::ListBox>("List2")).UserSelect(1, false);
      form.Get<ui::Button>("cmdloeschen").UserClicked();  // b.exe
    } else if (c.fault == Fault::kReloadFails) {
      rig.files.readErrors[file] = held;
    } else {
      rig.files.files.erase(file);
    }
    rig.messages.shown.clear();
    rig.snapshot.names.clear();
    rig.messages.onShow = [&] { EXPECT_FALSE(form.HasForm2()); };  // nothing said in the middle of a run
    for (ui::Control* run : {&form.Get<ui::Button>("Command2"), &form.Get<ui::Button>("Command3")}) {
      run->UserClicked();
      EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), c.after);
    }
    std::vector<ShownMessage> told;
    if (c.fault == Fault::kReloadFails) {
      told.push_back({processes::KillListNotReadText(file, held), processes::kNotReadTitle, services::kCritical});
    }
    EXPECT_EQ(rig.messages.shown, told);
    if (c.fault == Fault::kReloadFails) {
      rig.files.readErrors.clear();
      rig.Program().KillList().SaveKillList();
      EXPECT_EQ(rig.files.files[file], "a.exe\r\nb.exe\r\n");
    }
  }
}

}  // namespace
}  // namespace morvex::testing
