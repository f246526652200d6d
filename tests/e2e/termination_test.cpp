// The kill-list run of the real program: running processes ended by a click on
// Command2, the kill list shown again, no file of its own left behind, an
// injected entry or a taskkill.bat beside the program that runs nothing, and
// the box that names what could not be ended.
//
// morvex.exe starts the system's TASKKILL by its full path. In this suite's
// own prefix the driver has put the stand-in programs/taskkill.cpp there:
// it notes every call, drops /T where Wine's TASKKILL lacks it (Wine 8's),
// refuses one name where a test asks, and hands the rest to Wine's own. What
// the system offers is asked of it at the start and told (below). The
// management service's Terminate is tested where its Win32_Process has the
// method (neither Wine 8's nor Wine 10's has): there the stand-in ends
// nothing, so that what ends, the service ended.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <string>
#include <vector>

#include "e2e/driver.h"
#include "e2e/killlist_run.h"
#include "win32/probes/management_probe.h"

namespace morvex::e2e {
namespace {

// Tells once, before the first test, what this system lacks, and so what
// the stand-in does with /T and which tests skip.
class SystemReport : public testing::Environment {
 public:
  void SetUp() override {
    std::printf("[ system   ] TASKKILL: %s; the stand-in in its place %s%s\n", SystemTaskkill().why.c_str(),
                SystemTaskkill().knowsTree ? "passes /T on" : "drops /T",
                SystemTaskkill().endsEveryOne ? "" : ", and calls it again while it ends one");
    const probes::ManagementTerminate& terminate = probes::ManagementServiceTerminate();
    std::printf("[ system   ] Terminate: %s; %s\n", terminate.why.c_str(),
                terminate.available ? "it is tested" : "only TASKKILL ends processes here");
  }
};
testing::Environment* const kSystemReport = testing::AddGlobalTestEnvironment(new SystemReport);

TEST(KillListRun, EndsEveryInstanceAndShowsTheListAgain) {
  Morvex app(FreshFolder("kill-run"));
  const std::string file = std::string("mvx_absent.exe\r\n") + kTarget + "\r\n";
  WriteFileBytes(app.PathOf(L"List2.txt"), file);
  Targets targets(app, 2);
  ASSERT_EQ(targets.Started(), 2u);
  ASSERT_TRUE(app.Start());
  const Entries kill{"mvx_absent.exe", kTarget};
  ASSERT_TRUE(WaitFor([&] { return app.Items("List2") == kill; }));

  ASSERT_GE(RunKillList(app), 0);
  EXPECT_TRUE(WaitFor([&] { return targets.AllEnded(); }, 10000));
  EXPECT_EQ(app.Items("List2"), kill);
  EXPECT_EQ(ReadFileBytes(app.PathOf(L"List2.txt")), file);
  EXPECT_FALSE(FileExists(app.PathOf(L"my.bat")));
  // The entry reached TASKKILL, the name as one argument.
  ExpectStandInCall(app, " \"/F\" \"/IM\" \"mvx_absent.exe\" \"/IM\" \"mvx_endme.exe\" \"/T\"\r\n");
  app.Kill();
}

TEST(KillListRun, AnInjectedEntryRunsNothing) {
  Morvex app(FreshFolder("kill-run-injected"));
  const std::string injected = "x.exe & echo pwned > canary.txt";
  WriteFileBytes(app.PathOf(L"List2.txt"), injected + "\r\n" + kTarget + "\r\n");
  Targets targets(app, 1);
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(WaitFor([&] { return app.Items("List2").size() == 2; }));

  ASSERT_GE(RunKillList(app), 0);
  // The entry after the injected one was ended, so both have been handed on.
  EXPECT_TRUE(WaitFor([&] { return targets.AllEnded(); }, 10000));
  EXPECT_FALSE(FileExists(app.PathOf(L"canary.txt")));
  ExpectStandInCall(app, " \"/IM\" \"" + injected + "\" \"/IM\" \"mvx_endme.exe\" \"/T\"\r\n");
  app.Kill();
}

// The kill list holds spiel_für.exe (in Windows-1252, as the file is kept) and
// the program lies in a folder whose path holds an umlaut, or a character the
// OEM code page lacks: TASKKILL receives the name unchanged.
TEST(KillListRun, UmlautsReachTaskkill) {
  for (const char* folder : {"kill-run-ü", "kill-run-€"}) {
    SCOPED_TRACE(folder);
    Morvex app(FreshFolder(folder));
    WriteFileBytes(app.PathOf(L"List2.txt"), "spiel_f\xFCr.exe\r\n");
    Targets targets(app, 1, "spiel_für.exe");
    ASSERT_EQ(targets.Started(), 1u);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(WaitFor([&] { return app.Items("List2") == Entries{"spiel_für.exe"}; }));

    ASSERT_GE(RunKillList(app), 0);
    EXPECT_TRUE(WaitFor([&] { return targets.AllEnded(); }, 10000));
    ExpectStandInCall(app, " \"/F\" \"/IM\" \"spiel_für.exe\" \"/T\"\r\n");
    app.Kill();
  }
}

// A taskkill.bat and a taskkill.cmd beside morvex.exe, which is also its
// working folder here: neither runs, since no command interpreter is asked,
// and the listed program still ends.
TEST(KillListRun, ATaskkillBesideTheProgramNeverRuns) {
  Morvex app(FreshFolder("kill-run-planted"));
  const std::string canary = Narrow(app.PathOf(L"canary.txt"));
  for (const wchar_t* planted : {L"taskkill.bat", L"taskkill.cmd"}) {
    WriteFileBytes(app.PathOf(planted), "@echo planted > \"" + canary + "\"\r\n");
  }
  WriteFileBytes(app.PathOf(L"List2.txt"), std::string(kTarget) + "\r\n");
  Targets targets(app, 1);
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(WaitFor([&] { return app.Items("List2").size() == 1; }));
  ASSERT_GE(RunKillList(app), 0);
  EXPECT_TRUE(WaitFor([&] { return targets.AllEnded(); }, 10000));
  EXPECT_FALSE(FileExists(app.PathOf(L"canary.txt")));
  app.Kill();
}

// блокнот.exe, a name no ANSI code page of Western Europe holds: List1 shows
// it as it is, cmduebernehmen takes it (List2.txt in UTF-8 with its BOM), and
// a run ends it. An entry with a blank after it ends the program so named.
TEST(KillListRun, EveryNameAsWindowsNamesIt) {
  Morvex app(FreshFolder("kill-run-unicode"));
  WriteFileBytes(app.PathOf(L"List2.txt"), std::string(kTarget) + " \r\n");
  Targets cyrillic(app, 1, "блокнот.exe");
  Targets blank(app, 1);
  ASSERT_TRUE(cyrillic.Started() && blank.Started());
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitUntilShown());
  app.Click("Command1");
  std::ptrdiff_t position = -1;
  ASSERT_TRUE(WaitFor([&] {
    const Entries catalogue = app.Items("List1");
    const auto at = std::find(catalogue.begin(), catalogue.end(), "блокнот.exe");
    position = at == catalogue.end() ? -1 : at - catalogue.begin();
    return position >= 0;
  })) << testing::PrintToString(app.Items("List1"));
  app.ClickItem("List1", static_cast<int>(position));
  ASSERT_TRUE(WaitFor([&] { return app.Text("txtTargetTitle") == "блокнот.exe"; }));
  app.Click("cmduebernehmen");
  const Entries kill{std::string(kTarget) + " ", "блокнот.exe"};
  ASSERT_TRUE(WaitFor([&] { return app.Items("List2") == kill; }));
  EXPECT_EQ(ReadFileBytes(app.PathOf(L"List2.txt")), "\xEF\xBB\xBF\"" + std::string(kTarget) + " \"\r\nблокнот.exe\r\n");

  ASSERT_GE(RunKillList(app), 0);
  EXPECT_TRUE(WaitFor([&] { return cyrillic.AllEnded() && blank.AllEnded(); }, 10000));
  ExpectStandInCall(app, " \"/IM\" \"mvx_endme.exe\" \"/IM\" \"блокнот.exe\" \"/T\"\r\n");
  EXPECT_EQ(app.Items("List2"), kill);
  app.Kill();
}

// A TASKKILL that refuses one name (exit code 1, its general failure; no
// service here says whether access was denied): once the run is over, one box
// names that name and no other.
TEST(KillListRun, TheBoxNamesWhatTaskkillRefused) {
  const StandInMode refuses(kRefuses, L"mvx_refused.exe");
  Morvex app(FreshFolder("kill-run-refused"));
  WriteFileBytes(app.PathOf(L"List2.txt"), std::string("mvx_refused.exe\r\nmvx_absent.exe\r\n") + kTarget + "\r\n");
  Targets refused(app, 1, "mvx_refused.exe");
  Targets ended(app, 1);
  ASSERT_TRUE(refused.Started() && ended.Started());
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(WaitFor([&] { return app.Items("List2").size() == 3; }));
  app.Click("Command2");
  const auto box = app.WaitForMessageBox(60000);
  ASSERT_TRUE(box);
  EXPECT_FALSE(WaitWindowOpen(app));
  EXPECT_EQ(box->title, "Fehler beim Beenden");
  EXPECT_EQ(box->text.rfind("Folgende Programme der Liste konnten nicht beendet werden:\n", 0), 0u) << box->text;
  EXPECT_NE(box->text.find("mvx_refused.exe (TASKKILL meldet einen Fehler)"), std::string::npos) << box->text;
  EXPECT_EQ(box->text.find("mvx_absent.exe"), std::string::npos) << box->text;
  EXPECT_EQ(box->text.find(kTarget), std::string::npos) << box->text;
  EXPECT_TRUE(ended.AllEnded());
  EXPECT_FALSE(refused.AllEnded());
  app.CloseMessageBox(*box);
  app.Kill();
}

// The children of a process of the kill list end with it, though their name
// is not on the list: through TASKKILL's /T where the system's has it, and
// through their own handles where it has not (Wine 8's), or where TASKKILL
// finds the listed process already gone, as on Windows after the management
// service ended it alone (the stand-in `afterTheService`: the listed
// processes end alone, and it answers "not found").
void ExpectTheChildEnds(const char* folder, bool afterTheService) {
  Morvex app(FreshFolder(folder));
  WriteFileBytes(app.PathOf(L"List2.txt"), "mvx_endme_parent.exe\r\n");
  const std::wstring parent = app.PathOf(L"mvx_endme_parent.exe");
  const std::wstring child = app.PathOf(L"mvx_endme_child.exe");
  ASSERT_TRUE(CopyFileW((ProgramFolder() + L"\\e2e_idle.exe").c_str(), parent.c_str(), FALSE));
  ASSERT_TRUE(CopyFileW((ProgramFolder() + L"\\e2e_idle.exe").c_str(), child.c_str(), FALSE));
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring command = L"\"" + parent + L"\" " + child;
  ASSERT_TRUE(CreateProcessW(parent.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  CloseHandle(pi.hThread);
  ASSERT_TRUE(WaitFor([] { return ProcessRuns(L"mvx_endme_child.exe"); }));
  const StandInMode afterService(kAfterTheService, afterTheService ? L"1" : L"");
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(WaitFor([&] { return app.Items("List2") == Entries{"mvx_endme_parent.exe"}; }));

  ASSERT_GE(RunKillList(app), 0);
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 10000), WAIT_OBJECT_0);
  EXPECT_TRUE(WaitFor([] { return !ProcessRuns(L"mvx_endme_child.exe"); }, 10000));
  TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hProcess);
  app.Kill();
}

TEST(KillListRun, EndsTheChildrenOfAnEntrysProcessToo) { ExpectTheChildEnds("kill-run-tree", false); }
TEST(KillListRun, EndsTheChildrenTaskkillNoLongerFinds) { ExpectTheChildEnds("kill-run-tree-gone", true); }

// The management service's Terminate, alone: the TASKKILL stand-in ends
// nothing, so the processes end only if the service ends them.
TEST(KillListRun, TheManagementServiceEndsTheProcessesOfAnEntry) {
  const probes::ManagementTerminate& terminate = probes::ManagementServiceTerminate();
  if (!terminate.available) GTEST_SKIP() << terminate.why;
  const StandInMode endsNothing(kEndsNothing);
  Morvex app(FreshFolder("kill-run-management"));
  WriteFileBytes(app.PathOf(L"List2.txt"), std::string(kTarget) + "\r\n");
  Targets targets(app, 2);
  ASSERT_EQ(targets.Started(), 2u);
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(WaitFor([&] { return app.Items("List2") == Entries{kTarget}; }));

  ASSERT_GE(RunKillList(app), 0);
  EXPECT_TRUE(WaitFor([&] { return targets.AllEnded(); }, 10000));
  // TASKKILL was started, and ended nothing.
  const std::string calls = ReadFileBytes(app.PathOf(L"taskkill-calls.txt"));
  EXPECT_NE(calls.find(" \"/IM\" \"mvx_endme.exe\""), std::string::npos) << calls;
  app.Kill();
}

// Logs the length of a run per entry: the difference between runs of one and
// of four entries, over three. Not asserted: figures only.
TEST(KillListRun, LogsTheLengthOfARunPerEntry) {
  Morvex app(FreshFolder("kill-run-timing"));
  ASSERT_TRUE(app.Start());
  const auto timed = [&](int entries) {
    std::string file;
    for (int i = 0; i < entries; ++i) file += "mvx_absent" + std::to_string(i) + ".exe\r\n";
    WriteFileBytes(app.PathOf(L"List2.txt"), file);
    app.Kill();
    app.Start();
    WaitFor([&] { return static_cast<int>(app.Items("List2").size()) == entries; });
    return RunKillList(app);
  };
  const double one = timed(1);
  const double four = timed(4);
  ASSERT_GT(one, 0);
  ASSERT_GT(four, 0);

  const double perEntry = (four - one) / 3;
  std::printf("kill-list run: 1 entry %.0f ms, 4 entries %.0f ms, per entry %.0f ms\n", one, four, perEntry);
  RecordProperty("run_per_entry_ms", std::to_string(static_cast<int>(perEntry)));
  app.Kill();
}

// Ctrl-click on the first and the third of three running entries: the run
// ends those two and not the second, and List2 shows all three again.
TEST(KillListRun, EndsTheSelectedEntriesOnly) {
  Morvex app(FreshFolder("kill-run-selected"));
  WriteFileBytes(app.PathOf(L"List2.txt"), "mvx_pick_a.exe\r\nmvx_pick_b.exe\r\nmvx_pick_c.exe\r\n");
  Targets a(app, 1, "mvx_pick_a.exe");
  Targets b(app, 1, "mvx_pick_b.exe");
  Targets c(app, 1, "mvx_pick_c.exe");
  ASSERT_TRUE(a.Started() && b.Started() && c.Started());
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitUntilShown());
  const Entries kill{"mvx_pick_a.exe", "mvx_pick_b.exe", "mvx_pick_c.exe"};
  ASSERT_TRUE(WaitFor([&] { return app.Items("List2") == kill; }));
  app.ClickItem("List2", 0);
  app.ClickItem("List2", 2, true);
  ASSERT_TRUE(WaitFor([&] { return app.SelectedPositions("List2") == std::vector<int>{0, 2}; }));

  ASSERT_GE(RunKillList(app), 0);
  // Every TASKKILL of the run has ended when its wait window closes.
  EXPECT_TRUE(a.AllEnded() && c.AllEnded());
  EXPECT_FALSE(b.AllEnded());
  EXPECT_EQ(app.Items("List2"), kill);
  app.Kill();
}

}  // namespace
}  // namespace morvex::e2e
