// One Morvex per folder: a second start from the same folder shows the first
// copy's window and ends without touching a file or adding an icon; copies of
// other folders run side by side; a copy that was ended by force blocks
// nothing.
#include <gtest/gtest.h>

#include <string>

#include "e2e/driver.h"

namespace morvex::e2e {
namespace {

// A file's bytes and the time it was last written.
std::string Fingerprint(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return "missing";
  return std::to_string(data.ftLastWriteTime.dwHighDateTime) + ":" +
         std::to_string(data.ftLastWriteTime.dwLowDateTime) + ":" + ReadFileBytes(path);
}

TEST(SingleCopy, ASecondStartShowsTheFirstCopysWindowAndEnds) {
  for (const bool inTray : {false, true}) {
    SCOPED_TRACE(inTray ? "first copy in the tray" : "first copy shown");
    Morvex first(FreshFolder(inTray ? "copy-tray" : "copy-shown"));
    WriteFileBytes(first.PathOf(L"config.ini"), inTray ? "[Form1]\r\nCheck1=1\r\n" : "");
    WriteFileBytes(first.PathOf(L"List2.txt"), "x.exe\r\n");
    ASSERT_TRUE(first.Start());
    // The kill list is loaded last: once it is there, the start is over.
    ASSERT_TRUE(WaitFor([&] { return first.Items("List2").size() == 1; }));
    ASSERT_EQ(IsWindowVisible(first.Form1()) != 0, !inTray);
    ASSERT_TRUE(WaitFor([] { return ShellTrayIcons() == 1; }));
    const std::string config = Fingerprint(first.PathOf(L"config.ini"));
    const std::string killList = Fingerprint(first.PathOf(L"List2.txt"));

    Morvex second(first.Folder(), L"morvex.exe", false);
    ASSERT_TRUE(second.Start(false));
    EXPECT_TRUE(second.WaitForExit(10000));
    EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(first.Form1()) != 0; }));
    EXPECT_TRUE(WaitFor([&] { return GetForegroundWindow() == first.Form1(); }, 5000));
    EXPECT_TRUE(first.Running());
    EXPECT_EQ(ShellTrayIcons(), 1);
    EXPECT_EQ(Fingerprint(first.PathOf(L"config.ini")), config);
    EXPECT_EQ(Fingerprint(first.PathOf(L"List2.txt")), killList);
    first.RequestClose();
    EXPECT_TRUE(first.WaitForExit());
  }
}

// Both started at once: whichever is first runs, the other ends; the window
// of the one that runs is shown, though it starts in the tray.
TEST(SingleCopy, ASecondStartWhileTheFirstIsStillStarting) {
  Morvex first(FreshFolder("copy-starting"));
  WriteFileBytes(first.PathOf(L"config.ini"), "[Form1]\r\nCheck1=1\r\n");
  Morvex second(first.Folder(), L"morvex.exe", false);
  ASSERT_TRUE(first.Start(false));
  ASSERT_TRUE(second.Start(false));
  ASSERT_TRUE(WaitFor([&] { return !first.Running() || !second.Running(); }, 20000));
  Morvex& running = first.Running() ? first : second;
  EXPECT_TRUE(running.Running());
  EXPECT_TRUE(WaitFor([&] { return running.Form1() && IsWindowVisible(running.Form1()) != 0; }));
  running.RequestClose();
  EXPECT_TRUE(running.WaitForExit());
}

TEST(SingleCopy, OtherFoldersRunSideBySideAndACopyEndedByForceBlocksNothing) {
  Morvex one(FreshFolder("copy-one"));
  Morvex other(FreshFolder("copy-other"));
  ASSERT_TRUE(one.Start());
  ASSERT_TRUE(one.WaitUntilShown());
  ASSERT_TRUE(other.Start());
  ASSERT_TRUE(other.WaitUntilShown());
  EXPECT_FALSE(other.WaitForExit(3000));
  EXPECT_TRUE(one.Running());

  one.Kill();
  Morvex again(one.Folder(), L"morvex.exe", false);
  ASSERT_TRUE(again.Start());
  EXPECT_TRUE(again.WaitUntilShown());
  EXPECT_FALSE(again.WaitForExit(3000));
  for (Morvex* app : {&again, &other}) {
    app->RequestClose();
    EXPECT_TRUE(app->WaitForExit());
  }
}

}  // namespace
}  // namespace morvex::e2e
