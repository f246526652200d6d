// Ending the processes of the kill list (Command2 and the countdown's expiry),
// Command3 and Command6, with recorded starts of TASKKILL: the order of a
// run, the entries it ends, each command line, the report of what still runs,
// the failures a run goes on through, and the debug privilege around each
// ending step.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "processes/protected_names.h"
#include "termination/kill_run.h"
#include "termination/texts.h"
#include "unit/termination_fixture.h"

namespace morvex::testing {
namespace {

TEST_F(Termination, OnePassEndsEveryEntryBothWaysThenTheListComesBack) {
  KillList({"a.exe", "b.exe"});
  rig.management.captions = {"a.exe", "b.exe", "A.EXE", "b.exe"};
  rig.snapshot.names = {"x.exe"};
  RunTrace trace(rig);
  form.Get<ui::Button>("Command2").UserClicked();

  EXPECT_EQ(trace.Finish(),
            (Lines{"save", "show Form2", "remove", "query", "terminate a.exe", "terminate b.exe", "terminate b.exe",
                   "start", "wait", "read List2.txt", "reload", "catalogue", "close Form2"}));
  EXPECT_EQ(rig.commands.lines, Lines{KillAll({"a.exe", "b.exe"})});
  EXPECT_EQ(rig.commands.programs, Lines{kTaskkill});
  EXPECT_EQ(rig.commands.waits, std::vector<int>{termination::kTaskkillBoundMs});
  EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), (Lines{"a.exe", "b.exe"}));
  EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List1")), Lines{"x.exe"});
  EXPECT_FALSE(form.HasForm2());
  EXPECT_TRUE(rig.messages.shown.empty());
  EXPECT_FALSE(rig.files.Exists("C:\\Morvex\\my.bat"));
}

TEST_F(Termination, AnEmptyListOnlySavesShowsReloadsAndRefills) {
  RunTrace trace(rig);
  form.Get<ui::Button>("Command2").UserClicked();
  EXPECT_EQ(trace.Finish(), (Lines{"save", "show Form2", "catalogue", "close Form2"}));
  EXPECT_TRUE(rig.commands.lines.empty());
}

TEST_F(Termination, ARunEndsTheChosenEntriesEachOnceInListOrder) {
  struct Case {
    const char* what;
    Lines entries;
    std::vector<std::pair<int, bool>> clicks;  // position, Ctrl held
    bool expiry;
    Lines ended;
  };
  const Lines four = {"a.exe", "b.exe", "c.exe", "d.exe"};
  const Lines ten = {"a.exe", "b.exe", "c.exe", "d.exe", "e.exe", "f.exe", "g.exe", "h.exe", "i.exe", "j.exe"};
  const Case cases[] = {
      {"one selected", four, {{1, false}}, false, {"b.exe"}},
      {"first and third selected", four, {{0, false}, {2, true}}, false, {"a.exe", "c.exe"}},
      {"clicked last the first", four, {{2, false}, {0, true}}, false, {"a.exe", "c.exe"}},
      {"focus mark on an unselected entry", four, {{0, false}, {2, true}, {3, true}, {3, true}}, false,
       {"a.exe", "c.exe"}},
      {"none selected", ten, {}, false, ten},
      {"expiry with one selected", four, {{1, false}}, true, four},
      // Blanks and tabs around an entry are ignored; a repeat is ended once.
      {"trimmed and repeated", {"a.exe ", "\tb.exe", "A.EXE", " a.exe\t", "b.exe"}, {}, false, {"a.exe", "b.exe"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    KillList(c.entries);
    for (const auto& [position, ctrl] : c.clicks) Click(position, ctrl);
    rig.management.captions = ten;
    rig.management.terminated.clear();
    rig.commands.lines.clear();
    const int queries = rig.management.queries;

    if (c.expiry) {
      rig.Program().Countdown().onExpiry();
    } else {
      form.Get<ui::Button>("Command2").UserClicked();
    }
    EXPECT_EQ(rig.management.queries - queries, 1);
    EXPECT_EQ(rig.management.terminated, c.ended);
    EXPECT_EQ(rig.commands.lines, Lines{KillAll(c.ended)});
    EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), c.entries);  // as the user wrote them
  }
}

TEST_F(Termination, WithNothingSelectedEachEntryIsEndedOnceInOrder) {
  KillList({"a.exe", "b.exe", "c.exe", "d.exe"});
  rig.management.captions = {"a.exe", "b.exe", "c.exe", "d.exe"};
  // Removing the selected third entry leaves none selected and the focus
  // mark on the last entry.
  Click(2);
  form.Get<ui::Button>("cmdloeschen").UserClicked();
  ASSERT_EQ(form.Get<ui::ListBox>("List2").SelCount(), 0);
  ASSERT_EQ(Rig::Peer(form.Get<ui::ListBox>("List2")).Caret(), 2);

  form.Get<ui::Button>("Command2").UserClicked();
  EXPECT_EQ(rig.management.terminated, (Lines{"a.exe", "b.exe", "d.exe"}));
  EXPECT_EQ(rig.commands.lines, Lines{KillAll({"a.exe", "b.exe", "d.exe"})});
}

// Each name is one argument of a Unicode command line: nothing of a command
// interpreter reads it, so only blanks need quotes.
TEST_F(Termination, TaskkillCommandLines) {
  const std::pair<const char*, std::string> cases[] = {
      {"notepad.exe", "notepad.exe"},
      {"my tool.exe", "\"my tool.exe\""},
      {"x.exe & del /q junk.txt", ""},  // a slash: no image name
      {"x.exe & calc.exe", "\"x.exe & calc.exe\""},
      {"100%_(a)^b|c<d>!.exe", "100%_(a)^b|c<d>!.exe"},
      {"%PATH%^&.exe", "%PATH%^&.exe"},
      {"блокнот.exe", "блокнот.exe"},
      {"€uro Ärger.exe", "\"€uro Ärger.exe\""},
      {"notepad.exe \t", "notepad.exe"},
      {"a\"b.exe", ""},
      {"a\\b.exe", ""},
      {"tab\tin.exe", ""},
      {"line\r\n.exe", ""},
      {"*", ""},
      {"note?ad.exe", ""},
  };
  for (const auto& [entry, word] : cases) {
    SCOPED_TRACE(entry);
    form.Get<ui::ListBox>("List2").Clear();
    form.Get<ui::ListBox>("List2").AddItem(entry);
    rig.management.captions = {processes::TrimmedName(entry)};
    rig.management.terminated.clear();
    rig.commands.lines.clear();
    form.Get<ui::Button>("Command2").UserClicked();
    EXPECT_EQ(rig.commands.lines, word.empty() ? Lines{} : Lines{Kill(word)});
    EXPECT_EQ(rig.management.terminated.size(), word.empty() ? 0u : 1u);
  }
  EXPECT_EQ(termination::TaskkillCommandLine("C:\\WINDOWS\\system32", {{"m.exe"}, 4242u, false}),
            "\"C:\\WINDOWS\\system32\\taskkill.exe\" /F /IM m.exe /FI \"PID ne 4242\"");
  // Names beyond one command line's length go on in further starts, in order.
  const Lines many(3000, "a long name of a program.exe");
  Lines handed;
  const auto starts = termination::FittingStarts("C:\\WINDOWS\\system32", {many, std::nullopt, true});
  for (const auto& start : starts) {
    EXPECT_LE(termination::TaskkillCommandLine("C:\\WINDOWS\\system32", start)->size(), 32766u);
    handed.insert(handed.end(), start.names.begin(), start.names.end());
  }
  EXPECT_EQ(starts.size(), 4u);
  EXPECT_EQ(handed, many);
}

// What still runs after the run, by a fresh snapshot, is named in one box
// with its reason where one is known; what ended or never ran is not. Where a
// case gives a tree, the system ends processes as Windows does: the service
// ends exactly the one process at once, TASKKILL then finds the entry's
// processes gone (128), and an ended process stays listed for a while.
TEST(TerminationReport, NamesWhatStillRunsAndWhy) {
  using termination::NotEnded;
  struct Case {
    const char* what;
    Lines running;                                     // after the run
    std::map<std::string, std::uint32_t> taskkill;     // exit codes
    std::map<std::string, std::optional<std::uint32_t>> service;  // Terminate's results
    std::vector<NotEnded> told;
    std::vector<std::uint32_t> ids = {};  // of the processes running; the program is 4242
    std::vector<FakeProcessTable::Process> tree = {};  // beside the program and b.exe (1), which started it
    std::vector<std::uint32_t> endedByHandle = {};
  };
  const std::optional<std::uint32_t> none;
  const std::map<std::string, std::uint32_t> gone{{"a.exe", 128}, {"b.exe", 128}};
  const Case cases[] = {
      {"all ended", {"x.exe"}, {}, {}, {}},
      {"none was running", {}, {{"a.exe", 128}, {"b.exe", 128}}, {}, {}},
      {"taskkill failed for one", {"b.exe"}, {{"b.exe", 1}}, {}, {{"b.exe", "TASKKILL meldet einen Fehler"}}},
      {"both refused access", {"b.exe"}, {{"b.exe", 1}}, {{"b.exe", 2u}}, {{"b.exe", "Zugriff verweigert"}}},
      {"the service refused one", {"a.exe"}, {}, {{"a.exe", 2u}}, {{"a.exe", "Zugriff verweigert"}}},
      {"both refused, for their reasons", {"a.exe", "B.EXE"}, {{"a.exe", 1}, {"b.exe", 5}},
       {{"a.exe", 3u}, {"b.exe", none}},
       {{"a.exe", "Berechtigung fehlt; TASKKILL meldet einen Fehler"}, {"b.exe", "TASKKILL meldet Fehler 5"}}},
      {"still running for no known reason", {"a.exe", "a.exe"}, {}, {{"a.exe", none}}, {{"a.exe", ""}}},
      {"the own process is no failure", {"morvex.exe"}, {}, {}, {}, {4242}},
      {"another copy of it is", {"morvex.exe", "morvex.exe"}, {}, {}, {{"morvex.exe", ""}}, {4242}},
      {"a name Windows needs", {"svchost.exe"}, {}, {}, {{"svchost.exe", "von Windows benötigt, wird nie beendet"}}},
      {"an entry's child and grandchild end, not its neighbour", {}, gone, {}, {}, {},
       {{100, 1, "a.exe", 10}, {101, 100, "game.exe", 11}, {102, 101, "c.exe", 12}, {103, 1, "x.exe", 13}}, {101, 102}},
      {"a reused identifier's older process is no child", {}, gone, {}, {}, {},
       {{100, 1, "a.exe", 20}, {101, 100, "c.exe", 10}}},
      {"nothing of the tree above the program ends", {}, gone, {}, {}, {},
       {{7, 1, "notepad.exe", 6}, {8, 4242, "c.exe", 7}}},
      {"what winds down within the bound is not told", {}, gone, {}, {}, {},
       {{100, 1, "a.exe", 10, 1500}, {101, 100, "game.exe", 11, 400}}, {101}},
      {"what outlives it is", {}, gone, {}, {{"a.exe", "", 1, false}}, {},
       {{100, 1, "a.exe", 10, 1500}, {101, 100, "game.exe", 11, 600}}, {101}},
      {"children that refuse their end", {}, gone, {}, {{"a.exe", "Zugriff verweigert", 2, false}}, {},
       {{100, 1, "a.exe", 10}, {101, 100, "game.exe", 11, 0, false}, {102, 100, "c.exe", 12, 0, false}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Rig rig;
    rig.files.files[processes::KillListPath(rig.files)] = "a.exe\r\nb.exe\r\nmorvex.exe\r\nsvchost.exe\r\n";
    rig.Program().KillList().LoadKillList();
    rig.management.captions = {"a.exe", "b.exe"};
    rig.management.terminateResults = c.service;
    rig.commands.exitCodes = c.taskkill;
    rig.snapshot.names = c.running;
    rig.snapshot.ids = c.ids;
    FakeProcessTable table{{{1, 0, "b.exe", 1}, {4242, 1, "morvex.exe", 2}}, {}, [&](int ms) { rig.clock.Pass(ms); }};
    table.processes.insert(table.processes.end(), c.tree.begin(), c.tree.end());
    if (!c.tree.empty()) rig.snapshot.table = rig.management.table = &table;
    rig.messages.onShow = [&] { EXPECT_FALSE(rig.Form().HasForm2()); };
    rig.Form().Get<ui::Button>("Command2").UserClicked();
    EXPECT_EQ(table.endedByHandle, c.endedByHandle);
    EXPECT_FALSE(table.processes[1].ended);  // the program
    std::vector<ShownMessage> shown;
    if (!c.told.empty()) shown.push_back({termination::NotEndedText(c.told), "Fehler beim Beenden", 16 | services::kTopmost});
    EXPECT_EQ(rig.messages.shown, shown);
    // A name Windows needs is told by the first run alone.
    rig.messages.shown.clear();
    rig.Form().Get<ui::Button>("Command2").UserClicked();
    if (c.told.size() == 1 && c.told[0].name == "svchost.exe") {
      EXPECT_TRUE(rig.messages.shown.empty());
    }
  }
  EXPECT_EQ(termination::NotEndedText({{"a.exe", "", 1}, {"b.exe", "Berechtigung fehlt", 2}, {"c.exe", "", 1, false}}),
            "Folgende Programme der Liste konnten nicht beendet werden:\n\na.exe und 1 von ihm gestartetes Programm\n"
            "b.exe und 2 von ihm gestartete Programme (Berechtigung fehlt)\n1 von c.exe gestartetes Programm\n\n"
            "Als Administrator gestartet, kann Morvex sie beenden.");
  EXPECT_EQ(termination::NotEndedText({{"a.exe", "TASKKILL meldet einen Fehler"}}),
            "Folgende Programme der Liste konnten nicht beendet werden:\n\na.exe (TASKKILL meldet einen Fehler)");
}

TEST_F(Termination, FailingStepsCutNothingShort) {
  KillList({"a.exe", "b.exe"});
  struct Case {
    const char* what;
    std::string queryError, startError;
    bool programsEnd;
    std::string reason;  // for both names, still running
  };
  const Case cases[] = {
      {"no management service", "RPC-Server nicht verfügbar", "", true,
       "Prozessverwaltung nicht erreichbar: RPC-Server nicht verfügbar"},
      {"taskkill not started", "", "Zugriff verweigert", true,
       "TASKKILL konnte nicht gestartet werden: Zugriff verweigert"},
      {"taskkill does not end", "", "", false, "TASKKILL hat nicht rechtzeitig geendet"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    rig.management.error = c.queryError;
    rig.commands.error = c.startError;
    rig.commands.programsEnd = c.programsEnd;
    rig.commands.lines.clear();
    rig.commands.ended = 0;
    rig.messages.shown.clear();
    rig.snapshot.names = {"a.exe", "b.exe"};
    const int queries = rig.management.queries;

    form.Get<ui::Button>("Command2").UserClicked();
    EXPECT_EQ(rig.management.queries - queries, 1);
    EXPECT_EQ(rig.commands.lines.size(), 1u);
    // Nothing the run started works on after it.
    EXPECT_EQ(rig.commands.ended, c.programsEnd ? 0 : 1);
    EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), (Lines{"a.exe", "b.exe"}));
    EXPECT_FALSE(form.HasForm2());
    EXPECT_EQ(rig.messages.shown,
              (std::vector<ShownMessage>{{termination::NotEndedText({{"a.exe", c.reason}, {"b.exe", c.reason}}),
                                          "Fehler beim Beenden", services::kCritical | services::kTopmost}}));
  }
}

TEST_F(Termination, NoSecondRunStartsInsideARunButOneAfterIt) {
  KillList({"a.exe", "b.exe"});
  int inner = 0;
  rig.commands.onWait = [&] {
    if (inner++ == 0) {
      form.Get<ui::Button>("Command2").UserClicked();
      EXPECT_EQ(rig.management.queries, 1);
    }
  };
  form.Get<ui::Button>("Command2").UserClicked();
  // The held click ran the second run on the reloaded list.
  EXPECT_EQ(rig.management.queries, 2);
  EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), (Lines{"a.exe", "b.exe"}));
}

TEST_F(Termination, Command3HandsTheTargetToTaskkillOncePerEntry) {
  rig.snapshot.names = {"x.exe"};
  form.Get<ui::TextBox>("txtTargetTitle").SetText("t.exe ");
  int catalogues = 0;
  auto refill = form.Get<ui::Button>("Command1").onClick;
  form.Get<ui::Button>("Command1").onClick = [&] {
    ++catalogues;
    refill();
  };

  form.Get<ui::Button>("Command3").UserClicked();
  EXPECT_TRUE(rig.commands.lines.empty());
  EXPECT_EQ(catalogues, 2);
  EXPECT_GT(rig.files.writes["C:\\Morvex\\config.ini"], 0);

  KillList({"a.exe", "b.exe"});
  catalogues = 0;
  form.Get<ui::Button>("Command3").UserClicked();
  EXPECT_EQ(rig.commands.lines, (Lines{Kill("t.exe"), Kill("t.exe")}));
  EXPECT_TRUE(rig.pause.pauses.empty());
  EXPECT_EQ(rig.management.queries, 0);
  EXPECT_FALSE(form.HasForm2());
  EXPECT_EQ(catalogues, 2);
  EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), (Lines{"a.exe", "b.exe"}));
}

TEST_F(Termination, Command6EndsTheCatalogueSelectionAndRefillsPerProcess) {
  rig.snapshot.names = {"idle.exe", "a.exe", "A.exe"};
  form.Get<ui::Button>("Command1").UserClicked();
  Rig::Peer(form.Get<ui::ListBox>("List1")).UserSelect(1, false);
  rig.management.captions = {"idle.exe", "a.exe", "A.exe", "a.exe"};
  const int snapshots = rig.snapshot.snapshots;
  form.Get<ui::Button>("Command6").UserClicked();
  EXPECT_EQ(rig.messages.shown, (std::vector<ShownMessage>{{"a.exe", "morvex", services::kOkOnly}}));
  EXPECT_EQ(rig.management.terminated, (Lines{"a.exe", "a.exe"}));
  EXPECT_EQ(rig.snapshot.snapshots - snapshots, 4);
}

// The debug privilege around each ending step only; boxes on top while behind.
// "game.exe" everywhere; the ending steps and the privilege in one log.
struct RightsRig : Rig {
  RightsRig() {
    files.files[processes::KillListPath(files)] = processes::SerializeKillList({"game.exe"});
    Program().KillList().LoadKillList();
    snapshot.names = management.captions = {"game.exe"};
    Act("Command1");
    Peer(Form().Get<ui::ListBox>("List1")).UserSelect(0, false);
    Form().Get<ui::TextBox>("txtTargetTitle").SetText("game.exe");
    windows.windows["game.exe"] = 11;
    windows.owners[11] = 99;
    account.log = &windows.calls;
    management.onQuery = [this] { windows.calls.push_back("query"); };
    commands.onStart = [this] { windows.calls.push_back("taskkill"); };
    pause.onPause = [this] { windows.calls.push_back("pause"); };
  }
  void Act(const std::string& name) {
    name == "expiry" ? Program().Countdown().onExpiry() : Form().Get<ui::Control>(name).UserClicked();
  }
};

TEST(Rights, ThePrivilegeAroundEachEndingStepOnlyAndBoxesOnTopWhileBehind) {
  // The tree's handles, the service step, TASKKILL, the descendants' end.
  const Lines run{"privilege on",  "privilege off", "privilege on", "query",        "privilege off", "privilege on",
                  "taskkill",      "privilege off", "privilege on", "privilege off"};
  const int report = services::kCritical | services::kTopmost;
  const struct Case {
    const char* act;
    bool elevated, holds, enabledBefore, inFront;
    Lines log;
    std::vector<int> boxes;  // their styles
  } cases[] = {
      {"Command2", true, true, false, true, run, {report}},
      {"expiry", true, true, false, false, run, {report}},
      {"Command3", true, true, false, true, {"privilege on", "taskkill", "privilege off"}, {}},
      {"Command6", true, true, false, true, {"privilege on", "query", "privilege off"}, {services::kOkOnly}},
      {"Command6", true, true, false, false, {"privilege on", "query", "privilege off"}, {services::kTopmost}},
      {"cmdTerminate", true, true, false, true, {"FindTopWindow game.exe", "WindowProcessId 11", "privilege on",
       "OpenProcess 1048577 0 99", "TerminateProcess 7099 0", "CloseHandle 7099", "privilege off"}, {}},
      {"Command2", false, true, false, true, {"query", "taskkill"}, {report}},  // unelevated
      {"Command2", true, false, false, true, {"privilege refused", "privilege refused", "query", "privilege refused", "taskkill",
                                   "privilege refused"},
       {report}},
      {"Command2", true, true, true, true, {"privilege on", "privilege on", "query", "privilege on", "taskkill", "privilege on"},
       {report}},
      {"xpButton7", true, true, false, true, {}, {}},  // elevated: through the desktop's shell
  };
  for (const Case& c : cases) {
    RightsRig rig;
    std::tie(rig.account.elevated, rig.account.holdsPrivilege, rig.account.enabled, rig.windows.foreground) =
        std::tie(c.elevated, c.holds, c.enabledBefore, c.inFront);
    rig.Act(c.act);
    EXPECT_EQ(rig.windows.calls, c.log) << c.act;
    EXPECT_EQ(rig.account.enabled, c.enabledBefore);
    std::vector<int> boxes;
    for (const ShownMessage& shown : rig.messages.shown) boxes.push_back(shown.style);
    EXPECT_EQ(boxes, c.boxes) << c.act << c.inFront;
    EXPECT_TRUE(rig.shell.calls.empty());
    EXPECT_EQ(rig.shell.desktopOpened.size(), std::string(c.act) == "xpButton7" ? 1u : 0u);
  }
}

}  // namespace
}  // namespace morvex::testing
