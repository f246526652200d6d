// Ending the processes of the kill list (Command2 and the countdown's expiry),
// Command3 and Command6, with recorded pauses and a recorded command
// interpreter: the order of a run, the entry each pass ends, my.bat byte for
// byte, and the failures a run goes on through.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "processes/killlist.h"
#include "processes/killlist_format.h"
#include "processes/texts.h"
#include "termination/kill_batch.h"
#include "termination/kill_run.h"
#include "termination/texts.h"
#include "unit/fakes.h"

namespace morvex::testing {
namespace {

using Lines = std::vector<std::string>;

const std::string kBatch = "C:\\Morvex\\my.bat";
const std::string kStart = "cmd.exe /V:OFF /S /C \"\"C:\\Morvex\\my.bat\"\"";

Lines ItemsOf(const ui::ListControl& list) {
  Lines items;
  for (int i = 0; i < list.ListCount(); ++i) items.push_back(list.List(i));
  return items;
}

std::string Kill(const std::string& word) { return "TASKKILL /F /IM " + word + " /T\r\n"; }

// Writes what each step of a run does into one log, in order. The recorded
// services report pauses, starts, waits and queries as they happen; what
// changed in between (files, List2, the wait window) is read off the state.
class RunTrace {
 public:
  explicit RunTrace(Rig& rig) : rig_(rig) {
    rig.management.onQuery = [this] { Event("query"); };
    rig.pause.onPause = [this] { Event("pause"); };
    rig.interpreter.onStart = [this] { Event("start"); };
    rig.interpreter.onWait = [this] { Event("wait"); };
    rig.files.onRead = [this](const std::string& path) {
      if (path == processes::KillListPath(rig_.files)) Event("read List2.txt");
    };
    auto refill = rig.Form().Command1().onClick;
    rig.Form().Command1().onClick = [this, refill] {
      Event("catalogue");
      refill();
    };
    Sync();
    log.clear();
  }

  Lines Finish() {
    Sync();
    return log;
  }

  Lines log;
  Lines batches;  // the content of each my.bat written

 private:
  void Event(const std::string& what) {
    Sync();
    log.push_back(what);
  }
  void Sync() {
    forms::Form1& form = rig_.Form();
    if (const int w = rig_.files.writes["C:\\Morvex\\config.ini"]; w != configWrites_) {
      configWrites_ = w;
      log.push_back("save");
    }
    if (const bool shown = form.HasForm2() && form.Form2().Visible(); shown != form2Shown_) {
      form2Shown_ = shown;
      log.push_back(shown ? "show Form2" : "close Form2");
    }
    for (; terminated_ < rig_.management.terminated.size(); ++terminated_) {
      log.push_back("terminate " + rig_.management.terminated[terminated_]);
    }
    if (const int w = rig_.files.writes[kBatch]; w != batchWrites_) {
      batchWrites_ = w;
      batches.push_back(rig_.files.files[kBatch]);
      log.push_back("write my.bat");
    }
    const int count = form.List2().ListCount();
    if (count < listCount_) log.push_back("remove");
    if (count > listCount_) log.push_back("reload");
    listCount_ = count;
  }

  Rig& rig_;
  int configWrites_ = 0;
  bool form2Shown_ = false;
  std::size_t terminated_ = 0;
  int batchWrites_ = 0;
  int listCount_ = 0;
};

class Termination : public ::testing::Test {
 protected:
  Rig rig;
  forms::Form1& form = rig.Form();

  // The kill list as start-up leaves it: in the file and in List2, nothing
  // selected, the focus mark on the first entry.
  void KillList(const Lines& entries) {
    Lines ansi;
    for (const auto& entry : entries) ansi.push_back(rig.codePage.ToAnsi(entry));
    rig.files.files[processes::KillListPath(rig.files)] = processes::SerializeKillList(ansi);
    form.List2().Clear();
    rig.Program().KillList().LoadKillList();
  }
  void Click(int position, bool ctrl = false) {
    Rig::Peer(form.List2()).UserSelect(position, ctrl);
    form.List2().UserClicked();
  }
};

TEST_F(Termination, EachPassEndsOneEntryBothWaysThenTheListComesBack) {
  KillList({"a.exe", "b.exe"});
  rig.management.captions = {"a.exe", "b.exe", "A.EXE", "b.exe"};
  rig.snapshot.names = {"x.exe"};
  RunTrace trace(rig);
  form.Command2().UserClicked();

  const Lines pass = {"pause", "pause", "pause", "write my.bat", "start", "pause", "remove"};
  Lines expected = {"save", "show Form2", "query", "terminate a.exe"};
  expected.insert(expected.end(), pass.begin(), pass.end());
  expected.insert(expected.end(), {"query", "terminate b.exe", "terminate b.exe", "pause", "pause", "pause", "wait",
                                   "write my.bat", "start", "pause", "remove", "read List2.txt", "reload",
                                   "catalogue", "close Form2"});
  EXPECT_EQ(trace.Finish(), expected);
  EXPECT_EQ(trace.batches, (Lines{Kill("a.exe") + Kill("a.exe") + Kill("a.exe") + "del " + kBatch + "\r\n",
                                  Kill("b.exe") + Kill("b.exe") + Kill("b.exe") + "del " + kBatch + "\r\n"}));
  EXPECT_EQ(rig.interpreter.commands, (Lines{kStart, kStart}));
  EXPECT_EQ(rig.interpreter.waits, std::vector<int>{termination::kBatchEndBoundMs});
  EXPECT_EQ(rig.pause.pauses, std::vector<int>(8, termination::kPauseMs));
  EXPECT_EQ(ItemsOf(form.List2()), (Lines{"a.exe", "b.exe"}));
  EXPECT_EQ(ItemsOf(form.List1()), Lines{"x.exe"});
  EXPECT_FALSE(form.HasForm2());
  EXPECT_TRUE(rig.messages.shown.empty());
}

TEST_F(Termination, AnEmptyListOnlySavesShowsReloadsAndRefills) {
  RunTrace trace(rig);
  form.Command2().UserClicked();
  EXPECT_EQ(trace.Finish(), (Lines{"save", "show Form2", "catalogue", "close Form2"}));
  EXPECT_TRUE(rig.interpreter.commands.empty());
}

TEST_F(Termination, ARunEndsTheChosenEntriesEachOnceInListOrder) {
  struct Case {
    const char* what;
    std::vector<std::pair<int, bool>> clicks;  // position, Ctrl held
    bool expiry;
    Lines ended;
  };
  const Case cases[] = {
      {"one selected", {{1, false}}, false, {"b.exe"}},
      {"first and third selected", {{0, false}, {2, true}}, false, {"a.exe", "c.exe"}},
      {"clicked last the first", {{2, false}, {0, true}}, false, {"a.exe", "c.exe"}},
      {"focus mark on an unselected entry", {{0, false}, {2, true}, {3, true}, {3, true}}, false, {"a.exe", "c.exe"}},
      {"none selected", {}, false, {"a.exe", "b.exe", "c.exe", "d.exe"}},
      {"expiry with one selected", {{1, false}}, true, {"a.exe", "b.exe", "c.exe", "d.exe"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    KillList({"a.exe", "b.exe", "c.exe", "d.exe"});
    for (const auto& [position, ctrl] : c.clicks) Click(position, ctrl);
    rig.management.captions = {"a.exe", "b.exe", "c.exe", "d.exe"};
    rig.management.terminated.clear();
    Lines batches;
    rig.interpreter.onStart = [&] { batches.push_back(rig.files.files[kBatch]); };

    if (c.expiry) {
      rig.Program().Countdown().onExpiry();
    } else {
      form.Command2().UserClicked();
    }
    EXPECT_EQ(rig.management.terminated, c.ended);
    Lines expected;
    for (const auto& name : c.ended) expected.push_back(Kill(name) + Kill(name) + Kill(name) + "del " + kBatch + "\r\n");
    EXPECT_EQ(batches, expected);
    EXPECT_EQ(ItemsOf(form.List2()), (Lines{"a.exe", "b.exe", "c.exe", "d.exe"}));
  }
}

TEST_F(Termination, WithNothingSelectedEachEntryIsEndedOnceInOrder) {
  KillList({"a.exe", "b.exe", "c.exe", "d.exe"});
  rig.management.captions = {"a.exe", "b.exe", "c.exe", "d.exe"};
  // Removing the selected third entry leaves none selected and the focus
  // mark on the last entry.
  Click(2);
  form.cmdloeschen().UserClicked();
  ASSERT_EQ(form.List2().SelCount(), 0);
  ASSERT_EQ(Rig::Peer(form.List2()).Caret(), 2);

  RunTrace trace(rig);
  form.Command2().UserClicked();
  EXPECT_EQ(rig.management.terminated, (Lines{"a.exe", "b.exe", "d.exe"}));
  ASSERT_EQ(trace.batches.size(), 3u);
  EXPECT_EQ(trace.batches[2].substr(0, Kill("d.exe").size()), Kill("d.exe"));
}

TEST_F(Termination, MyBatByteForByte) {
  struct Case {
    const char* folder;
    const char* entry;
    std::string killWord;
    std::string deleteLine;
  };
  const Case cases[] = {
      {"C:\\Morvex", "notepad.exe", "notepad.exe", "del C:\\Morvex\\my.bat\r\n"},
      {"C:\\Morvex", "my tool.exe", "\"my tool.exe\"", "del C:\\Morvex\\my.bat\r\n"},
      {"C:\\Morvex", "x.exe & del /q junk.txt", "\"x.exe & del /q junk.txt\"", "del C:\\Morvex\\my.bat\r\n"},
      {"C:\\Morvex", "100%_(a)^b|c<d>!.exe", "\"100%%_(a)^b|c<d>!.exe\"", "del C:\\Morvex\\my.bat\r\n"},
      {"C:\\Morvex", "Ärger.exe", "\"\x8Erger.exe\"", "del C:\\Morvex\\my.bat\r\n"},
      {"C:\\Program Files\\Morvex", "notepad.exe", "notepad.exe",
       "del \"C:\\Program Files\\Morvex\\my.bat\"\r\n"},
      {"C:\\Tools & 50%", "a.exe", "a.exe", "del \"C:\\Tools & 50%%\\my.bat\"\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry);
    rig.files.appFolder = c.folder;
    KillList({c.entry});
    rig.interpreter.commands.clear();
    form.Command2().UserClicked();
    const std::string path = std::string(c.folder) + "\\my.bat";
    EXPECT_EQ(rig.files.files[path], Kill(c.killWord) + Kill(c.killWord) + Kill(c.killWord) + c.deleteLine);
    EXPECT_EQ(rig.interpreter.commands, Lines{"cmd.exe /V:OFF /S /C \"\"" + path + "\"\""});
  }
}

TEST(TerminationCodePage, MyBatIsInTheCommandInterpretersCodePage) {
  // The command interpreter reads a batch in the OEM code page (850 German,
  // 437 English): names and the batch's own path reach it as the list and the
  // folder hold them. A name that code page lacks gets no line, though the
  // management service is still asked; a folder it lacks is named by its
  // short form, and without one no batch is written and the run tells so.
  const auto three = [](const std::string& word) { return Kill(word) + Kill(word) + Kill(word); };
  const std::string spiel = three("\"spiel_f\x81r.exe\"") + "del \"C:\\J\x81rgen M\x81ller\\my.bat\"\r\n";
  const std::string del = "del C:\\Morvex\\my.bat\r\n";
  struct Case {
    int oem;
    std::string folder;
    Lines entries;
    Lines batches;  // each my.bat started, in order
    bool told;
  };
  const Case cases[] = {
      {850, "C:\\Jürgen Müller", {"spiel_für.exe"}, {spiel}, false},
      {437, "C:\\Jürgen Müller", {"spiel_für.exe"}, {spiel}, false},
      {850, "C:\\Morvex", {"a.exe", "€uro.exe", "Ólafur.exe"},
       {three("a.exe") + del, three("\"\xE0lafur.exe\"") + del}, false},
      {437, "C:\\Morvex", {"a.exe", "€uro.exe", "Ólafur.exe"}, {three("a.exe") + del}, false},
      {850, "C:\\Łukasz", {"a.exe"}, {three("a.exe") + "del \"C:\\UKASZ~1\\my.bat\"\r\n"}, false},
      {437, "C:\\Łódź", {"a.exe"}, {}, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.oem) + " " + c.folder + " " + c.entries.back());
    Rig rig;
    rig.codePage.oemCodePage = c.oem;
    rig.codePage.shortFolders = {{"C:\\Łukasz", "C:\\UKASZ~1"}};
    rig.files.appFolder = c.folder;
    Lines ansi;
    for (const auto& entry : c.entries) ansi.push_back(rig.codePage.ToAnsi(entry));
    rig.files.files[processes::KillListPath(rig.files)] = processes::SerializeKillList(ansi);
    rig.Program().KillList().LoadKillList();
    rig.management.captions = c.entries;
    Lines batches;
    rig.interpreter.onStart = [&] { batches.push_back(rig.files.files[c.folder + "\\my.bat"]); };

    rig.Form().Command2().UserClicked();
    EXPECT_EQ(batches, c.batches);
    EXPECT_EQ(rig.management.terminated, c.entries);
    const ShownMessage told{termination::BatchNotWrittenText(c.folder, termination::kBatchPathNotInOemCodePage),
                            termination::kBatchFailedTitle, services::kCritical};
    EXPECT_EQ(rig.messages.shown, c.told ? std::vector<ShownMessage>{told} : std::vector<ShownMessage>{});
  }

  // Each name read is decided on its own line.
  Rig rig;
  const Lines names = {"a.exe", "€uro.exe", "b.exe"};
  std::size_t read = 0;
  EXPECT_TRUE(rig.Program().Termination().WriteKillBatch(3, [&] { return names[read++]; }).written);
  EXPECT_EQ(rig.files.files[kBatch], Kill("a.exe") + Kill("b.exe") + "del " + kBatch + "\r\n");
}

TEST_F(Termination, NamesThatCannotBeOneArgumentAreEndedNeitherWay) {
  KillList({"a\"b.exe", "a.exe"});
  for (const char* entry : {"tab\t.exe", "", "*", "note?ad.exe"}) form.List2().AddItem(entry);
  rig.management.captions = {"a\"b.exe", "tab\t.exe", "", "*", "note?ad.exe", "a.exe"};
  form.Command2().UserClicked();
  EXPECT_EQ(rig.management.terminated, Lines{"a.exe"});
  EXPECT_EQ(rig.files.files[kBatch], Kill("a.exe") + Kill("a.exe") + Kill("a.exe") + "del " + kBatch + "\r\n");
  EXPECT_EQ(rig.interpreter.commands.size(), 1u);
  EXPECT_EQ(form.List2().ListCount(), 2);  // reloaded from the file
  EXPECT_FALSE(termination::BatchWord("x\r\n.exe"));
}

TEST_F(Termination, FailingStepsCutNothingShort) {
  KillList({"a.exe", "b.exe"});
  rig.snapshot.names = {"x.exe"};
  struct Case {
    const char* what;
    std::string queryError, writeError, startError;
    bool batchesEnd;
    int starts;
  };
  const Case cases[] = {
      {"no management service", "RPC-Server nicht verfügbar", "", "", true, 2},
      {"batch not started", "", "", "Zugriff verweigert", true, 2},
      {"previous batch still running", "", "", "", false, 2},
      {"folder not writable", "", "Zugriff verweigert", "", true, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    rig.management.error = c.queryError;
    rig.files.writeErrors.clear();
    if (!c.writeError.empty()) rig.files.writeErrors[kBatch] = c.writeError;
    rig.interpreter.error = c.startError;
    rig.interpreter.batchesEnd = c.batchesEnd;
    rig.interpreter.commands.clear();
    rig.messages.shown.clear();
    const int queries = rig.management.queries;
    const int writes = rig.files.writes[kBatch];
    form.List1().Clear();

    form.Command2().UserClicked();
    EXPECT_EQ(rig.management.queries - queries, 2);
    EXPECT_EQ(rig.files.writes[kBatch] - writes, 2);
    EXPECT_EQ(static_cast<int>(rig.interpreter.commands.size()), c.starts);
    EXPECT_EQ(ItemsOf(form.List2()), (Lines{"a.exe", "b.exe"}));
    EXPECT_EQ(ItemsOf(form.List1()), Lines{"x.exe"});
    EXPECT_FALSE(form.HasForm2());
    const std::string told =
        !c.writeError.empty()   ? termination::BatchNotWrittenText("C:\\Morvex", c.writeError)
        : !c.startError.empty() ? termination::BatchNotStartedText(kBatch, c.startError)
                                : "";
    std::vector<ShownMessage> shown;
    if (!told.empty()) shown.push_back({told, "Fehler beim Beenden", services::kCritical});
    EXPECT_EQ(rig.messages.shown, shown);
  }
}

TEST_F(Termination, AnUnwritableFolderIsToldOnceAfterTheRun) {
  KillList({"a.exe", "b.exe"});
  rig.files.writeErrors[kBatch] = "Zugriff verweigert";
  rig.messages.onShow = [&] {
    // The run is over when the box opens.
    EXPECT_FALSE(form.HasForm2());
    EXPECT_EQ(form.List2().ListCount(), 2);
  };
  form.Command2().UserClicked();
  EXPECT_EQ(rig.messages.shown, (std::vector<ShownMessage>{
                                    {termination::BatchNotWrittenText("C:\\Morvex", "Zugriff verweigert"),
                                     "Fehler beim Beenden", services::kCritical}}));
  EXPECT_NE(rig.messages.shown[0].text.find("Ordner: C:\\Morvex\n"), std::string::npos);
  EXPECT_EQ(rig.management.queries, 2);
}

TEST_F(Termination, NoSecondRunStartsInsideARunButOneAfterIt) {
  KillList({"a.exe", "b.exe"});
  int inner = 0;
  rig.pause.onPause = [&] {
    if (inner++ == 0) {
      form.Command2().UserClicked();
      EXPECT_EQ(rig.management.queries, 1);
    }
  };
  form.Command2().UserClicked();
  // The held click ran the second run on the reloaded list.
  EXPECT_EQ(rig.management.queries, 4);
  EXPECT_EQ(ItemsOf(form.List2()), (Lines{"a.exe", "b.exe"}));
}

TEST_F(Termination, Command3HandsTheTargetToTaskkillOncePerEntry) {
  rig.snapshot.names = {"x.exe"};
  form.txtTargetTitle().SetText("t.exe");
  int catalogues = 0;
  auto refill = form.Command1().onClick;
  form.Command1().onClick = [&] {
    ++catalogues;
    refill();
  };

  form.Command3().UserClicked();
  EXPECT_TRUE(rig.interpreter.commands.empty());
  EXPECT_EQ(catalogues, 2);
  EXPECT_GT(rig.files.writes["C:\\Morvex\\config.ini"], 0);

  KillList({"a.exe", "b.exe"});
  catalogues = 0;
  form.Command3().UserClicked();
  EXPECT_EQ(rig.files.files[kBatch], Kill("t.exe") + Kill("t.exe") + "del " + kBatch + "\r\n");
  EXPECT_EQ(rig.interpreter.commands, (Lines{kStart, kStart}));
  EXPECT_EQ(rig.pause.pauses.size(), 6u);
  EXPECT_EQ(rig.management.queries, 0);
  EXPECT_FALSE(form.HasForm2());
  EXPECT_EQ(catalogues, 2);
  EXPECT_EQ(ItemsOf(form.List2()), (Lines{"a.exe", "b.exe"}));
}

TEST_F(Termination, Command6EndsTheCatalogueSelectionAndRefillsPerProcess) {
  rig.snapshot.names = {"idle.exe", "a.exe", "A.exe"};
  form.Command1().UserClicked();
  Rig::Peer(form.List1()).UserSelect(1, false);
  rig.management.captions = {"idle.exe", "a.exe", "A.exe", "a.exe"};
  const int snapshots = rig.snapshot.snapshots;
  form.Command6().UserClicked();
  EXPECT_EQ(rig.messages.shown, (std::vector<ShownMessage>{{"a.exe", "morvex", services::kOkOnly}}));
  EXPECT_EQ(rig.management.terminated, (Lines{"a.exe", "a.exe"}));
  EXPECT_EQ(rig.snapshot.snapshots - snapshots, 4);
}

// The program runs as process 4242 with the image name morvex.exe; another
// copy of it runs as 77, and one more whose identifier cannot be read. Every
// way of ending ends 77 alone, and each kill line for the name, in any letter
// case, spares 4242. The program descends from explorer.exe: no line for that
// name has /T, which would end the program among its descendants.
TEST(OwnProcess, NoWayOfEndingEndsIt) {
  enum class Way { kCommand2, kExpiry, kCommand3, kCommand6 };
  struct Case {
    Way way;
    std::string name;
    std::vector<std::uint32_t> terminated;
    std::string lines;  // every kill line for the name, in order
  };
  const auto spared = [](const std::string& name) {
    return "TASKKILL /F /IM " + name + " /FI \"PID ne 4242\" /T\r\n";
  };
  const std::string treeless = "TASKKILL /F /IM Explorer.exe\r\n";
  const Case cases[] = {
      {Way::kCommand2, "morvex.exe", {77}, spared("morvex.exe") + spared("morvex.exe") + spared("morvex.exe")},
      {Way::kExpiry, "MORVEX.EXE", {}, spared("MORVEX.EXE") + spared("MORVEX.EXE") + spared("MORVEX.EXE")},
      {Way::kCommand3, "Morvex.exe", {}, spared("Morvex.exe") + spared("Morvex.exe")},
      {Way::kCommand6, "morvex.exe", {77}, ""},
      {Way::kCommand2, "Explorer.exe", {}, treeless + treeless + treeless},
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
    std::string lines;
    rig.interpreter.onStart = [&] {
      const std::string batch = rig.files.files[kBatch];
      lines += batch.substr(0, batch.find("del "));
    };
    rig.snapshot.names = {c.name};
    form.Command1().UserClicked();
    Rig::Peer(form.List1()).UserSelect(0, false);
    form.List1().UserClicked();  // also the target of Command3

    switch (c.way) {
      case Way::kCommand2: form.Command2().UserClicked(); break;
      case Way::kExpiry: rig.Program().Countdown().onExpiry(); break;
      case Way::kCommand3: form.Command3().UserClicked(); break;
      case Way::kCommand6: form.Command6().UserClicked(); break;
    }
    EXPECT_EQ(rig.management.terminatedIds, c.terminated);
    EXPECT_EQ(lines, c.lines);
  }
}

// Each name of a process Windows needs, in any letter case: refused by
// cmduebernehmen, left out by Command8, passed over by every way of ending,
// and kept in List2 and its file as written.
TEST(ProtectedNames, AreNeverCopiedFilledInOrHandedOn) {
  const std::string file = "C:\\Morvex\\List2.txt";
  for (const std::string name :
       {"System", "System Idle Process", "Idle", "Registry", "Secure System", "Memory Compression", "smss.exe",
        "csrss.exe", "wininit.exe", "winlogon.exe", "services.exe", "lsass.exe", "lsaiso.exe", "CSRSS.EXE",
        "Lsass.Exe", "system", "wininit.exe "}) {
    SCOPED_TRACE(name);
    Rig rig;
    forms::Form1& form = rig.Form();
    rig.snapshot.names = {name};
    form.Command1().UserClicked();
    Rig::Peer(form.List1()).UserSelect(0, false);
    form.List1().UserClicked();
    form.cmduebernehmen().UserClicked();
    EXPECT_EQ(rig.messages.shown, (std::vector<ShownMessage>{{processes::ProtectedNameText(name),
                                                              "Geschützter Prozess", services::kExclamation}}));
    EXPECT_EQ(form.List2().ListCount(), 0);

    rig.management.captions = {name, "a.exe"};
    form.Command8().UserClicked();
    EXPECT_EQ(ItemsOf(form.List2()), Lines{"a.exe"});

    rig.files.files[file] = name + "\r\na.exe\r\n";
    form.List2().Clear();
    rig.Program().KillList().LoadKillList();
    form.Command2().UserClicked();
    form.Command3().UserClicked();  // the target is the name, from the click on List1
    Rig::Peer(form.List1()).UserSelect(0, false);
    form.Command6().UserClicked();
    EXPECT_EQ(rig.management.terminated, Lines{"a.exe"});
    EXPECT_EQ(rig.interpreter.commands.size(), 1u);
    EXPECT_EQ(rig.files.files[kBatch], Kill("a.exe") + Kill("a.exe") + Kill("a.exe") + "del " + kBatch + "\r\n");
    EXPECT_EQ(ItemsOf(form.List2()), (Lines{name, "a.exe"}));
    EXPECT_EQ(rig.files.files[file], name + "\r\na.exe\r\n");
  }
}

// A file that does not hold what List2 shows (its last save failed, or it was
// read only in part): the run puts back what List2 held before it.
TEST(UnsavedEntries, SurviveARun) {
  struct Case {
    const char* what;
    bool readFails;
    Lines after;
  };
  const Case cases[] = {
      {"save failed", false, {"a.exe", "new.exe"}},
      {"read in part", true, {"a.exe"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Rig rig;
    forms::Form1& form = rig.Form();
    const std::string file = processes::KillListPath(rig.files);
    rig.files.files[file] = "a.exe\r\nb.exe\r\n";
    if (c.readFails) rig.files.readErrors[file] = "Zugriff verweigert";
    rig.Program().KillList().LoadKillList();
    if (c.readFails) {
      form.List2().AddItem("a.exe");  // as much as could be read
    } else {
      rig.files.writeErrors[file] = "Zugriff verweigert";
      rig.snapshot.names = {"new.exe"};
      form.Command1().UserClicked();
      Rig::Peer(form.List1()).UserSelect(0, false);
      form.cmduebernehmen().UserClicked();
      Rig::Peer(form.List2()).UserSelect(1, false);
      form.cmdloeschen().UserClicked();  // b.exe
    }
    for (ui::Control* run : {&form.Command2(), &form.Command3()}) {
      run->UserClicked();
      EXPECT_EQ(ItemsOf(form.List2()), c.after);
    }
  }
}

}  // namespace
}  // namespace morvex::testing
