// Where the kill-list run of the real program must hold back: its own
// process, and the processes Windows needs.
#include <windows.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>

#include "e2e/driver.h"
#include "e2e/killlist_run.h"

namespace morvex::e2e {
namespace {

// Starts the program on a kill list of `first` and kTarget, with one copy of
// kTarget running, and runs the list: the copy ends.
void RunWithTargetAfter(Morvex& app, const std::string& first) {
  WriteFileBytes(app.PathOf(L"List2.txt"), first + "\r\n" + kTarget + "\r\n");
  Targets targets(app, 1);
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitUntilShown());
  ASSERT_TRUE(WaitFor([&] { return app.Items("List2").size() == 2; }));
  ASSERT_GE(RunKillList(app), 0);
  EXPECT_TRUE(WaitFor([&] { return targets.AllEnded(); }, 10000));
}

// morvex.exe in the kill list: its TASKKILL spares the program's own process
// by its identifier, so the program goes on, and the next entry ends. (The
// filter lets another copy of morvex.exe end. A TASKKILL that knows no /FI,
// as Wine 8's, refuses the whole call, and Wine's management service ends
// nothing: under Wine no other copy ends.)
TEST(KillListRun, NeverEndsTheProgramItself) {
  Morvex app(FreshFolder("kill-run-itself"));
  RunWithTargetAfter(app, "morvex.exe");
  EXPECT_TRUE(app.Running());
  EXPECT_TRUE(app.WaitUntilShown());
  EXPECT_EQ(app.Items("List2"), (Entries{"morvex.exe", kTarget}));
  ExpectStandInCall(app, " \"/IM\" \"morvex.exe\" \"/FI\" \"PID ne " + std::to_string(app.ProcessId()) + "\" \"/T\"\r\n");
  app.Kill();
}

// The identifier of the first running process of that image name; 0 for none.
DWORD ProcessIdOf(const wchar_t* imageName) {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return 0;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  DWORD id = 0;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !id; more = Process32NextW(snapshot, &entry)) {
    if (lstrcmpiW(entry.szExeFile, imageName) == 0) id = entry.th32ProcessID;
  }
  CloseHandle(snapshot);
  return id;
}

// services.exe, a process Windows needs (and one Wine has): a run passes it
// over where the file holds it, says so, keeps it in List2 and the file, and
// cmduebernehmen refuses it.
TEST(KillListRun, PassesOverTheProcessesWindowsNeeds) {
  const DWORD services = ProcessIdOf(L"services.exe");
  ASSERT_NE(services, 0u);
  Morvex app(FreshFolder("kill-run-protected"));
  RunWithTargetAfter(app, "services.exe");
  // Once the run is over, the box says why it still runs, and nothing else.
  const auto report = app.WaitForMessageBox();
  ASSERT_TRUE(report);
  EXPECT_EQ(report->title, "Fehler beim Beenden");
  EXPECT_NE(report->text.find("\nservices.exe (von Windows benötigt, wird nie beendet)"), std::string::npos)
      << report->text;
  EXPECT_EQ(report->text.find(kTarget), std::string::npos) << report->text;
  app.CloseMessageBox(*report);
  EXPECT_EQ(ProcessIdOf(L"services.exe"), services);
  EXPECT_EQ(app.Items("List2"), (Entries{"services.exe", kTarget}));
  const std::string file = std::string("services.exe\r\n") + kTarget + "\r\n";
  EXPECT_EQ(ReadFileBytes(app.PathOf(L"List2.txt")), file);

  // cmduebernehmen refuses it, naming it.
  const Entries catalogue = app.Items("List1");
  const auto position = std::find(catalogue.begin(), catalogue.end(), "services.exe") - catalogue.begin();
  ASSERT_LT(position, static_cast<std::ptrdiff_t>(catalogue.size())) << testing::PrintToString(catalogue);
  app.ClickItem("List1", static_cast<int>(position));
  ASSERT_TRUE(WaitFor([&] { return app.Text("txtTargetTitle") == "services.exe"; }));
  app.Click("cmduebernehmen");
  const auto box = app.WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, "Geschützter Prozess");
  EXPECT_NE(box->text.find("services.exe"), std::string::npos) << box->text;
  app.CloseMessageBox(*box);
  EXPECT_EQ(app.Items("List2"), (Entries{"services.exe", kTarget}));
  EXPECT_EQ(ReadFileBytes(app.PathOf(L"List2.txt")), file);
  app.Kill();
}

}  // namespace
}  // namespace morvex::e2e
