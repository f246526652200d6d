// config.ini as the real program writes it and reads it back at its next start.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "e2e/driver.h"

namespace morvex::e2e {
namespace {

// The lines of the file that are not blank; a lone CR or LF fails the test.
std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const std::string line = bytes.substr(start, end - start);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << "lone line end in " << line;
    if (!line.empty()) lines.push_back(line);
  }
  EXPECT_EQ(start, bytes.size()) << "the last line has no CR LF";
  return lines;
}

int CheckOf(HWND box) { return static_cast<int>(SendMessageW(box, BM_GETCHECK, 0, 0)); }

bool ShownAndSaved(const Morvex& app) {
  return WaitFor([&] { return IsWindowVisible(app.Form1()) != 0 && FileExists(app.PathOf(L"config.ini")); });
}

TEST(Settings, AStartAndACloseLeaveConfigWithTheSectionFirstAndKeysInTableOrder) {
  Morvex app(FreshFolder("settings-order"));
  ASSERT_TRUE(app.Start());
  // The start itself saves once the window is shown.
  ASSERT_TRUE(ShownAndSaved(app));
  app.RequestClose();
  ASSERT_TRUE(app.WaitForExit());

  const std::vector<std::string> lines = Lines(ReadFileBytes(app.PathOf(L"config.ini")));
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "[Form1]");
  std::vector<std::string> keys;
  std::map<std::string, std::string> values;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const std::size_t equals = lines[i].find('=');
    ASSERT_NE(equals, std::string::npos) << lines[i];
    keys.push_back(lines[i].substr(0, equals));
    values[keys.back()] = lines[i].substr(equals + 1);
  }
  // The empty txtTargetTitle is not written; the hidden seconds field has no
  // items, so nothing can have been typed into it and no text is stored.
  const std::vector<std::string> expected = {
      "txtSekunde",  "txtMinute", "txtHour",           "chkSound",          "List3",      "Text1",
      "Check2",      "Combo1",    "Combo2",            "optSetCount",       "optSetTime", "Combo3",
      "Check1",      "optOnLeftClick(0)", "optOnLeftClick(1)", "List2",      "List1"};
  EXPECT_EQ(keys, expected);
  const std::map<std::string, std::string> design = {
      {"chkSound", "0"},         {"Check2", "0"},          {"Check1", "0"},
      {"Text1", "Text1"},        {"optSetCount", "-1"},    {"optSetTime", "0"},
      {"Combo1", "0"},           {"Combo2", "0"},          {"Combo3", "-1"},
      {"optOnLeftClick(0)", "0"}, {"optOnLeftClick(1)", "-1"},
      {"List2", "-1"},
  };
  for (const auto& [key, value] : design) EXPECT_EQ(values[key], value) << key;
}

TEST(Settings, ChangedCheckBoxesComeBackAfterARestart) {
  const std::wstring folder = FreshFolder("settings-restart");
  {
    Morvex app(folder);
    ASSERT_TRUE(app.Start());
    ASSERT_TRUE(ShownAndSaved(app));
    ASSERT_TRUE(app.OpenOptions());
    EXPECT_EQ(CheckOf(app.Control("chkSound")), BST_UNCHECKED);
    EXPECT_EQ(CheckOf(app.Control("Check2")), BST_UNCHECKED);
    app.Click("chkSound");
    app.Click("Check2");
    EXPECT_TRUE(WaitFor([&] {
      return CheckOf(app.Control("chkSound")) == BST_CHECKED && CheckOf(app.Control("Check2")) == BST_CHECKED;
    }));
    app.RequestClose();
    ASSERT_TRUE(app.WaitForExit());
  }
  const std::string bytes = ReadFileBytes(folder + L"\\config.ini");
  EXPECT_NE(bytes.find("\r\nchkSound=1\r\n"), std::string::npos) << bytes;
  EXPECT_NE(bytes.find("\r\nCheck2=1\r\n"), std::string::npos) << bytes;

  Morvex again(folder);
  ASSERT_TRUE(again.Start());
  ASSERT_TRUE(WaitFor([&] { return IsWindowVisible(again.Form1()) != 0; }));
  ASSERT_TRUE(again.OpenOptions());
  EXPECT_EQ(CheckOf(again.Control("chkSound")), BST_CHECKED);
  EXPECT_EQ(CheckOf(again.Control("Check2")), BST_CHECKED);
  EXPECT_EQ(CheckOf(again.Control("Check1")), BST_UNCHECKED);
  // The choosers come back with two-digit texts, as Start needs them.
  EXPECT_EQ(again.Text("Combo3"), "00");
  EXPECT_EQ(again.Text("Combo1").size(), 2u);
  EXPECT_EQ(again.Text("Combo2").size(), 2u);
  again.RequestClose();
  EXPECT_TRUE(again.WaitForExit());
}

TEST(Settings, AConfigThatCannotBeWrittenIsReportedOncePerRun) {
  Morvex app(FreshFolder("settings-unwritable"));
  // A folder stands where the file would be written.
  ASSERT_TRUE(CreateDirectoryW(app.PathOf(L"config.ini").c_str(), nullptr));
  ASSERT_TRUE(app.Start());
  // The start saves once the window is shown.
  const auto box = app.WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, "Fehler beim Speichern");
  const std::string path = Narrow(app.PathOf(L"config.ini"));
  EXPECT_EQ(box->text.rfind("Die Einstellungen des Fensters wurden nicht gespeichert.\n\nDatei: " + path + "\nGrund: ", 0),
            0u)
      << box->text;
  EXPECT_GT(box->text.size(), box->text.rfind("Grund: ") + 7) << "the system's reason";
  app.CloseMessageBox(*box);
  // The close request saves twice more and ends without another box.
  app.RequestClose();
  EXPECT_TRUE(app.WaitForExit());
}

}  // namespace
}  // namespace morvex::e2e
