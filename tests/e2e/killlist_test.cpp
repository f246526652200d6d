// The process catalogue and the kill list with its file, in the real program.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "e2e/driver.h"

namespace morvex::e2e {
namespace {

using Entries = std::vector<std::string>;

const char kIdle[] = "e2e_idle.exe";

int PositionOf(const Entries& items, const std::string& name) {
  const auto it = std::find(items.begin(), items.end(), name);
  return it == items.end() ? -1 : static_cast<int>(it - items.begin());
}

// Copies the catalogue entry `name` to the kill list.
void Copy(const Morvex& app, const std::string& name) {
  const int position = PositionOf(app.Items("List1"), name);
  ASSERT_GE(position, 0) << name;
  app.ClickItem("List1", position);
  ASSERT_TRUE(WaitFor([&] { return app.Text("txtTargetTitle") == name; }));
  app.Click("cmduebernehmen");
}

TEST(KillList, CopyRemoveAndTheFile) {
  HelperProcess first(Widen(kIdle));
  HelperProcess second(Widen(kIdle));
  ASSERT_TRUE(first.Started() && second.Started());
  Morvex app(FreshFolder("killlist"));
  const std::wstring file = app.PathOf(L"List2.txt");
  ASSERT_TRUE(app.Start());

  // Two instances of one program are two entries of the catalogue.
  Entries catalogue;
  ASSERT_TRUE(WaitFor([&] {
    catalogue = app.Items("List1");
    return std::count(catalogue.begin(), catalogue.end(), kIdle) == 2;
  })) << testing::PrintToString(catalogue);
  EXPECT_GE(PositionOf(catalogue, "morvex.exe"), 0);
  EXPECT_FALSE(FileExists(file));

  Copy(app, kIdle);
  EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(file) == "e2e_idle.exe\r\n"; })) << ReadFileBytes(file);

  // The same name again is refused; the file is written all the same.
  app.Click("cmduebernehmen");
  auto box = app.WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, "morvex");
  EXPECT_EQ(box->text, "Bereits da!");
  app.CloseMessageBox(*box);
  EXPECT_EQ(app.Items("List2"), Entries{kIdle});

  Copy(app, "morvex.exe");
  EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(file) == "e2e_idle.exe\r\nmorvex.exe\r\n"; }))
      << ReadFileBytes(file);

  // Removing the first entry rewrites the file and disables the button.
  app.ClickItem("List2", 0);
  ASSERT_TRUE(WaitFor([&] { return app.Enabled("cmdloeschen"); }));
  app.Click("cmdloeschen");
  EXPECT_TRUE(WaitFor([&] { return ReadFileBytes(file) == "morvex.exe\r\n"; })) << ReadFileBytes(file);
  EXPECT_EQ(app.Items("List2"), Entries{"morvex.exe"});
  EXPECT_TRUE(WaitFor([&] { return !app.Enabled("cmdloeschen"); }));

  app.RequestClose();
  EXPECT_TRUE(app.WaitForExit());
  EXPECT_EQ(ReadFileBytes(file), "morvex.exe\r\n");
}

TEST(KillList, RestartShowsTheFileInOrderWithNothingSelected) {
  Morvex app(FreshFolder("killlist-restart"));
  const std::wstring file = app.PathOf(L"List2.txt");
  WriteFileBytes(file, "c.exe\r\na.exe,\"x, y.exe\"\r\n\xC4rger.exe\r\nb.exe");
  ASSERT_TRUE(app.Start());
  const Entries expected{"c.exe", "a.exe", "x, y.exe", "Ärger.exe", "b.exe"};
  EXPECT_TRUE(WaitFor([&] { return app.Items("List2").size() == expected.size(); }));
  EXPECT_EQ(app.Items("List2"), expected);
  EXPECT_TRUE(app.SelectedPositions("List2").empty());

  // Closing writes the list back, each entry on a CR LF line.
  app.RequestClose();
  EXPECT_TRUE(app.WaitForExit());
  EXPECT_EQ(ReadFileBytes(file), "c.exe\r\na.exe\r\n\"x, y.exe\"\r\n\xC4rger.exe\r\nb.exe\r\n");
}

TEST(KillList, ServiceQueryFillsTheKillListWithoutWriting) {
  Morvex app(FreshFolder("killlist-service"));
  const std::wstring file = app.PathOf(L"List2.txt");
  WriteFileBytes(file, "old.exe\r\n");
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(WaitFor([&] { return app.Items("List2") == Entries{"old.exe"}; }));
  app.Click("Command8");
  EXPECT_TRUE(WaitFor([&] { return PositionOf(app.Items("List2"), "morvex.exe") >= 0; }))
      << testing::PrintToString(app.Items("List2"));
  EXPECT_EQ(PositionOf(app.Items("List2"), "old.exe"), -1);
  EXPECT_EQ(ReadFileBytes(file), "old.exe\r\n");
  app.Kill();
}

TEST(KillList, ReadOnlyFileKeepsItsContent) {
  Morvex app(FreshFolder("killlist-readonly"));
  const std::wstring file = app.PathOf(L"List2.txt");
  WriteFileBytes(file, "keep.exe\r\n");
  ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(WaitFor([&] { return app.Items("List2") == Entries{"keep.exe"}; }));

  Copy(app, "morvex.exe");
  auto box = app.WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, "Fehler beim Speichern");
  EXPECT_NE(box->text.find("List2.txt"), std::string::npos) << box->text;
  app.CloseMessageBox(*box);
  EXPECT_EQ(app.Items("List2"), (Entries{"keep.exe", "morvex.exe"}));
  EXPECT_EQ(ReadFileBytes(file), "keep.exe\r\n");

  // The close request tries again, tells again, and ends.
  app.RequestClose();
  box = app.WaitForMessageBox();
  ASSERT_TRUE(box);
  app.CloseMessageBox(*box);
  EXPECT_TRUE(app.WaitForExit());
  EXPECT_EQ(ReadFileBytes(file), "keep.exe\r\n");
  EXPECT_FALSE(FileExists(file + L".neu"));
}

// A List2.txt that Notepad saved in UTF-8 (without a byte-order mark, its
// default since Windows 10 1903): the umlaut is shown; the close request
// writes the file in ANSI again, which holds every name.
TEST(KillList, Utf8FileShowsItsUmlaut) {
  Morvex app(FreshFolder("killlist-utf8"));
  const std::wstring file = app.PathOf(L"List2.txt");
  WriteFileBytes(file, "a.exe\r\nspiel_f\xC3\xBCr.exe\r\n");
  ASSERT_TRUE(app.Start());
  EXPECT_TRUE(WaitFor([&] { return app.Items("List2") == Entries{"a.exe", "spiel_für.exe"}; }))
      << testing::PrintToString(app.Items("List2"));
  app.RequestClose();
  EXPECT_TRUE(app.WaitForExit());
  EXPECT_EQ(ReadFileBytes(file), "a.exe\r\nspiel_f\xFCr.exe\r\n");
}

}  // namespace
}  // namespace morvex::e2e
