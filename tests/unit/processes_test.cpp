// The process catalogue and the kill list's entries, copied and removed
// through the main window's controls as a user would.
#include <gtest/gtest.h>

#include <string>

#include "app/lifecycle.h"
#include "processes/catalogue.h"
#include "processes/killlist.h"
#include "processes/killlist_format.h"
#include "processes/texts.h"
#include "unit/killlist_fixture.h"

namespace morvex::testing {
namespace {

using Catalogue = KillList;

TEST_F(Catalogue, ListsImageNamesInSnapshotOrderWithDuplicates) {
  // Every name as the system names it, whatever the ANSI code page holds.
  const Entries names = {"[System Process]", "svchost.exe", "notepad.exe", "svchost.exe", "Ärger.exe", "блокнот.exe"};
  RefillCatalogue(names);
  EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List1")), names);
  EXPECT_EQ(form.Get<ui::ListBox>("List1").ListIndex(), -1);
  ClickEntry(form.Get<ui::ListBox>("List1"), 5);
  form.Get<ui::Button>("cmduebernehmen").UserClicked();
  EXPECT_EQ(File(), std::string(processes::kUtf8Bom) + "блокнот.exe\r\n");
}

TEST_F(Catalogue, NoSnapshotEmptiesTheListSilently) {
  RefillCatalogue({"a.exe", "b.exe"});
  RefillCatalogue({});
  EXPECT_EQ(form.Get<ui::ListBox>("List1").ListCount(), 0);
  EXPECT_TRUE(rig.messages.shown.empty());
}

TEST_F(Catalogue, RefillingClearsTheSelectionAndKeepsCopyEnabled) {
  RefillCatalogue({"a.exe", "b.exe"});
  ClickEntry(form.Get<ui::ListBox>("List1"), 1);
  rig.snapshot.names = {"a.exe", "b.exe", "c.exe"};
  form.Get<ui::Button>("Command1").UserClicked();
  EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List1")), (Entries{"a.exe", "b.exe", "c.exe"}));
  EXPECT_EQ(form.Get<ui::ListBox>("List1").ListIndex(), -1);
  EXPECT_TRUE(form.Get<ui::Button>("cmduebernehmen").Enabled());
  EXPECT_EQ(rig.snapshot.snapshots, 2);
}

TEST_F(Catalogue, ClickingAnEntrySetsTheTargetAndEnablesCopy) {
  RefillCatalogue({"a.exe", "notepad.exe"});
  form.Get<ui::Button>("cmduebernehmen").SetEnabled(false);
  ClickEntry(form.Get<ui::ListBox>("List1"), 1);
  EXPECT_EQ(form.Get<ui::TextBox>("txtTargetTitle").Text(), "notepad.exe");
  EXPECT_TRUE(form.Get<ui::Button>("cmduebernehmen").Enabled());
}

TEST_F(Catalogue, ServiceQueryReplacesTheKillListWithoutWriting) {
  SetFile("old.exe\r\n");
  rig.Program().KillList().LoadKillList();
  rig.management.captions = {"a.exe", "a.exe", "Ärger.exe"};
  form.Get<ui::Button>("Command8").UserClicked();
  EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), (Entries{"a.exe", "a.exe", "Ärger.exe"}));
  EXPECT_EQ(File(), "old.exe\r\n");
  EXPECT_EQ(Writes(), 0);
  EXPECT_EQ(rig.management.queries, 1);
  EXPECT_TRUE(rig.management.terminated.empty());
}

TEST_F(Catalogue, FailedServiceQueryKeepsTheKillListAndTellsTheUser) {
  SetFile("old.exe\r\nother.exe\r\n");
  rig.Program().KillList().LoadKillList();
  rig.management.error = "Zugriff verweigert";
  form.Get<ui::Button>("Command8").UserClicked();
  EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), (Entries{"old.exe", "other.exe"}));
  ASSERT_EQ(rig.messages.shown.size(), 1u);
  EXPECT_EQ(rig.messages.shown[0].style, services::kCritical);
  EXPECT_EQ(rig.messages.shown[0].title, processes::kQueryFailedTitle);
  EXPECT_NE(rig.messages.shown[0].text.find("Zugriff verweigert"), std::string::npos);
}

// --- copying and removing ----------------------------------------------------------

TEST_F(KillList, CopiesTheSelectedNameAndSaves) {
  RefillCatalogue({"a.exe", "notepad.exe"});
  ClickEntry(form.Get<ui::ListBox>("List1"), 1);
  form.Get<ui::Button>("cmduebernehmen").UserClicked();
  ClickEntry(form.Get<ui::ListBox>("List1"), 0);
  form.Get<ui::Button>("cmduebernehmen").UserClicked();
  EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), (Entries{"notepad.exe", "a.exe"}));
  EXPECT_EQ(File(), "notepad.exe\r\na.exe\r\n");
  EXPECT_TRUE(rig.messages.shown.empty());
}

TEST_F(KillList, NameListedInAnyLetterCaseIsNotCopiedTwice) {
  struct Case {
    const char* listed;
    const char* selected;
  };
  const Case cases[] = {
      {"notepad.exe", "NOTEPAD.EXE"},
      {"NotePad.Exe", "notepad.exe"},
      {"ärger.exe", "ÄRGER.EXE"},
      {"ÖL.EXE", "öl.exe"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.selected);
    Rig rig;
    forms::Form1& form = rig.Form();
    rig.files.files[kKillListPath] = rig.codePage.ToAnsi(c.listed) + "\r\n";
    rig.Program().KillList().LoadKillList();
    rig.snapshot.names = {"x.exe", c.selected};
    form.Get<ui::Button>("Command1").UserClicked();
    ClickEntry(form.Get<ui::ListBox>("List1"), 1);
    form.Get<ui::Button>("cmduebernehmen").UserClicked();
    EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), Entries{c.listed});
    EXPECT_EQ(rig.messages.shown, (std::vector<ShownMessage>{{"Bereits da!", "morvex", services::kOkOnly}}));
    // The file is rewritten all the same.
    EXPECT_EQ(rig.files.writes[kKillListPath], 1);
  }
}

TEST_F(KillList, NothingSelectedCopiesNothingButSaves) {
  RefillCatalogue({"a.exe"});
  form.Get<ui::Button>("cmduebernehmen").UserClicked();
  EXPECT_EQ(form.Get<ui::ListBox>("List2").ListCount(), 0);
  EXPECT_EQ(Writes(), 1);
  EXPECT_EQ(File(), "");
  EXPECT_TRUE(rig.messages.shown.empty());
}

TEST_F(KillList, NameEndingInBackslashIsNeverCopied) {
  RefillCatalogue({"C:\\Programme\\", "a\\b.exe"});
  ClickEntry(form.Get<ui::ListBox>("List1"), 0);
  form.Get<ui::Button>("cmduebernehmen").UserClicked();
  EXPECT_EQ(form.Get<ui::ListBox>("List2").ListCount(), 0);
  EXPECT_TRUE(rig.messages.shown.empty());
  EXPECT_EQ(Writes(), 1);
  ClickEntry(form.Get<ui::ListBox>("List1"), 1);
  form.Get<ui::Button>("cmduebernehmen").UserClicked();
  EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), Entries{"a\\b.exe"});
}

TEST_F(KillList, RemovesEverySelectedEntryAndKeepsTheOrder) {
  struct Case {
    const char* name;
    std::vector<int> clicked;  // the first plain, the others with Ctrl
    Entries left;
  };
  const Case cases[] = {
      {"FirstAndThird", {0, 2}, {"b.exe", "d.exe"}},
      {"Neighbours", {1, 2}, {"a.exe", "d.exe"}},
      {"All", {0, 1, 2, 3}, {}},
      {"Last", {3}, {"a.exe", "b.exe", "c.exe"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Rig rig;
    forms::Form1& form = rig.Form();
    rig.files.files[kKillListPath] = "a.exe\r\nb.exe\r\nc.exe\r\nd.exe\r\n";
    rig.Program().KillList().LoadKillList();
    EXPECT_TRUE(form.Get<ui::Button>("cmdloeschen").Enabled());
    form.Get<ui::Button>("cmdloeschen").SetEnabled(false);
    for (std::size_t i = 0; i < c.clicked.size(); ++i) ClickEntry(form.Get<ui::ListBox>("List2"), c.clicked[i], i > 0);
    EXPECT_TRUE(form.Get<ui::Button>("cmdloeschen").Enabled());
    form.Get<ui::Button>("cmdloeschen").UserClicked();
    EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), c.left);
    std::string bytes;
    for (const auto& entry : c.left) bytes += entry + "\r\n";
    EXPECT_EQ(rig.files.files[kKillListPath], bytes);
    EXPECT_FALSE(form.Get<ui::Button>("cmdloeschen").Enabled());
  }
}

TEST_F(KillList, RemovingWithNothingSelectedOnlySavesAndDisables) {
  SetFile("a.exe\r\nb.exe");
  rig.Program().KillList().LoadKillList();
  form.Get<ui::Button>("cmdloeschen").UserClicked();
  EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), (Entries{"a.exe", "b.exe"}));
  EXPECT_EQ(File(), "a.exe\r\nb.exe\r\n");
  EXPECT_FALSE(form.Get<ui::Button>("cmdloeschen").Enabled());
}

TEST_F(KillList, MinimalStartLoadsLastAndCloseSaves) {
  SetFile("b.exe\r\na.exe\r\n");
  rig.snapshot.names = {"morvex.exe"};
  app::StartUp(rig.Program());
  EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List1")), Entries{"morvex.exe"});
  EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), (Entries{"b.exe", "a.exe"}));
  EXPECT_EQ(form.Get<ui::ListBox>("List2").SelCount(), 0);
  EXPECT_EQ(Writes(), 0);
  form.RequestClose();
  EXPECT_EQ(Writes(), 1);
  EXPECT_EQ(File(), "b.exe\r\na.exe\r\n");
  EXPECT_EQ(rig.lifetime.ended, 1);
}

}  // namespace
}  // namespace morvex::testing
