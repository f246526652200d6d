// The program's life seen from outside: the first start, the tray icon and its
// popup menu, hiding to the tray, and the ways the program ends.
#include <gtest/gtest.h>

#include <string>

#include "e2e/driver.h"

namespace morvex::e2e {
namespace {

// Starts the program and waits until the window is shown, the start has
// saved every value (List1 is the last key written) and the controls below
// the client area have been made after it: a real pointer movement the test
// makes is then handled at once, while the pointer is where the test put it.
bool StartAndShow(Morvex& app) {
  return app.Start() && WaitFor([&] {
           return IsWindowVisible(app.Form1()) != 0 &&
                  ReadFileBytes(app.PathOf(L"config.ini")).find("\r\nList1=") != std::string::npos;
         }) && app.LaterControlsMade();
}

// Delivers a mouse message to Form1 and waits until its handler has returned;
// false when it does not return (a popup menu or message box holds it).
bool SendMouseMove(const Morvex& app, LPARAM lp) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(app.Form1(), WM_MOUSEMOVE, 0, lp, SMTO_NORMAL, 10000, &result) != 0;
}

TEST(LifeCycle, FirstStartInAnEmptyFolder) {
  Morvex app(FreshFolder("life-first"));
  ASSERT_TRUE(StartAndShow(app));
  ASSERT_TRUE(app.OpenOptions());
  EXPECT_EQ(app.Text("Combo1"), "00");
  EXPECT_EQ(app.Text("Combo2"), "03");
  EXPECT_EQ(app.Text("lblVersion"), "Version 1.0.230");
  EXPECT_FALSE(app.Enabled("cmdloeschen"));
  EXPECT_FALSE(FileExists(app.PathOf(L"List2.txt")));
  EXPECT_TRUE(WaitFor([] { return ShellTrayIcons() == 1; }));
  app.RequestClose();
  EXPECT_TRUE(app.WaitForExit());
}

TEST(LifeCycle, OnlyTheIconsRightButtonReleaseOpensThePopupMenu) {
  Morvex app(FreshFolder("life-popup"));
  ASSERT_TRUE(StartAndShow(app));
  HWND form = app.Form1();

  // The real pointer on Form1's own surface at x = 517, between Label1 and
  // cmdExit: the same message as the icon's, but no menu.
  POINT onForm{517, 45};
  ClientToScreen(form, &onForm);
  SetCursorPos(onForm.x, onForm.y);
  ASSERT_TRUE(SendMouseMove(app, MAKELPARAM(517, 45)));
  EXPECT_EQ(app.PopupMenu(), nullptr);

  // The icon's other mouse messages, with the pointer elsewhere, do nothing.
  SetCursorPos(kElsewhere.x, kElsewhere.y);
  for (const UINT other : {WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN,
                           WM_RBUTTONDBLCLK}) {
    SCOPED_TRACE(other);
    ASSERT_TRUE(SendMouseMove(app, static_cast<LPARAM>(other)));
    EXPECT_EQ(app.PopupMenu(), nullptr);
  }

  // The release of the right button opens the menu; Escape closes it.
  ASSERT_TRUE(app.OpenMenuFromIcon());
  PostMessageW(form, WM_KEYDOWN, VK_ESCAPE, 0);
  EXPECT_TRUE(WaitFor([&] { return app.PopupMenu() == nullptr; }));
  EXPECT_TRUE(IsWindowVisible(form));

  app.RequestClose();
  EXPECT_TRUE(app.WaitForExit());
}

TEST(LifeCycle, HidingSavesBothFilesAndTheMenuBringsTheWindowBack) {
  Morvex app(FreshFolder("life-hide"));
  ASSERT_TRUE(StartAndShow(app));
  HWND form = app.Form1();
  ASSERT_TRUE(DeleteFileW(app.PathOf(L"config.ini").c_str()));

  app.Click("xpButton3");
  ASSERT_TRUE(WaitFor([&] { return !IsWindowVisible(form) && FileExists(app.PathOf(L"List2.txt")); }));
  EXPECT_TRUE(FileExists(app.PathOf(L"config.ini")));
  EXPECT_EQ(ReadFileBytes(app.PathOf(L"List2.txt")), "");
  EXPECT_TRUE(app.TopWindows().empty());
  EXPECT_TRUE(WaitFor([] { return ShellTrayIcons() == 1; }));

  // "&Morvex anzeigen", chosen by its access key.
  ASSERT_TRUE(app.OpenMenuFromIcon());
  PostMessageW(form, WM_CHAR, 'm', 0);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(form) != 0 && app.PopupMenu() == nullptr; }));

  app.RequestClose();
  EXPECT_TRUE(app.WaitForExit());
}

TEST(LifeCycle, ExitWithAnArmedCountdownEndsAtOnceWithoutWritingTheKillList) {
  Morvex app(FreshFolder("life-exit"));
  ASSERT_TRUE(StartAndShow(app));
  ASSERT_TRUE(app.OpenOptions());
  app.Click("cmdSet");
  ASSERT_TRUE(WaitFor([&] { return !app.Enabled("cmdSet"); }));
  ASSERT_TRUE(DeleteFileW(app.PathOf(L"config.ini").c_str()));

  app.Click("cmdExit");
  ASSERT_TRUE(app.WaitForExit());
  EXPECT_TRUE(FileExists(app.PathOf(L"config.ini")));
  EXPECT_FALSE(FileExists(app.PathOf(L"List2.txt")));
}

// Closing the window and the end of the session (log-off, shutdown) are the
// same close request.
TEST(LifeCycle, CloseRequestWritesBothFilesAndEnds) {
  const struct {
    const char* name;
    bool sessionEnd;
  } cases[] = {{"close", false}, {"session-end", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Morvex app(FreshFolder(std::string("life-") + c.name));
    WriteFileBytes(app.PathOf(L"List2.txt"), "b.exe\r\na.exe\r\n");
    ASSERT_TRUE(StartAndShow(app));
    ASSERT_TRUE(WaitFor([&] { return app.Items("List2").size() == 2; }));
    ASSERT_TRUE(DeleteFileW(app.PathOf(L"config.ini").c_str()));
    ASSERT_TRUE(DeleteFileW(app.PathOf(L"List2.txt").c_str()));

    if (c.sessionEnd) {
      DWORD_PTR mayEnd = 0;
      ASSERT_NE(SendMessageTimeoutW(app.Form1(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000,
                                    &mayEnd),
                0);
      EXPECT_EQ(mayEnd, static_cast<DWORD_PTR>(TRUE));
      PostMessageW(app.Form1(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    } else {
      app.RequestClose();
    }
    ASSERT_TRUE(app.WaitForExit());
    EXPECT_EQ(ReadFileBytes(app.PathOf(L"List2.txt")), "b.exe\r\na.exe\r\n");
    EXPECT_TRUE(FileExists(app.PathOf(L"config.ini")));
  }
}

// A close request that arrives while the start-up shows its read error waits
// until the start-up is over: the values saved before and the kill list stay.
TEST(LifeCycle, CloseDuringTheStartUpsReadErrorKeepsBothFiles) {
  Morvex app(FreshFolder("life-locked"));
  WriteFileBytes(app.PathOf(L"config.ini"), "[Form1]\r\nCombo1=5\r\n");
  WriteFileBytes(app.PathOf(L"List2.txt"), "b.exe\r\na.exe\r\n");
  HANDLE locked = CreateFileW(app.PathOf(L"List2.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(locked, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(app.Start());
  const auto box = app.WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, "Fehler beim Lesen");
  PostMessageW(app.Form1(), WM_CLOSE, 0, 0);
  Sleep(1000);  // the box's own message loop has dispatched it by now
  app.CloseMessageBox(*box);
  // The held close request ends the program once the start is over; the file
  // is released then, and a program that went on is closed normally.
  const bool endedByItself = app.WaitForExit(5000);
  CloseHandle(locked);
  for (int i = 0; i < 5 && !endedByItself && app.Running(); ++i) {
    if (const auto next = app.WaitForMessageBox(2000)) {
      app.CloseMessageBox(*next);
    } else {
      app.RequestClose();
    }
    app.WaitForExit(3000);
  }
  ASSERT_FALSE(app.Running());
  const std::string config = ReadFileBytes(app.PathOf(L"config.ini"));
  EXPECT_NE(config.find("\r\nCombo1=5\r\n"), std::string::npos) << config;
  EXPECT_EQ(ReadFileBytes(app.PathOf(L"List2.txt")), "b.exe\r\na.exe\r\n");
}

TEST(LifeCycle, StartInTheTrayShowsOnlyTheIcon) {
  Morvex app(FreshFolder("life-tray"));
  const std::string config = "[Form1]\r\nCheck1=1\r\n";
  WriteFileBytes(app.PathOf(L"config.ini"), config);
  WriteFileBytes(app.PathOf(L"List2.txt"), "x.exe\r\n");
  ASSERT_TRUE(app.Start());
  // The kill list is loaded last: once it is there, the start is over.
  ASSERT_TRUE(WaitFor([&] { return app.Items("List2").size() == 1; }));
  EXPECT_FALSE(IsWindowVisible(app.Form1()));
  EXPECT_TRUE(app.TopWindows().empty());
  EXPECT_TRUE(WaitFor([] { return ShellTrayIcons() == 1; }));
  EXPECT_EQ(ReadFileBytes(app.PathOf(L"config.ini")), config);
  app.RequestClose();
  EXPECT_TRUE(app.WaitForExit());
}

}  // namespace
}  // namespace morvex::e2e
