// Ending or closing another program by the title of its window.
#include <gtest/gtest.h>

#include "e2e/driver.h"

namespace morvex::e2e {
namespace {

// mvtitlewin.exe: a window with a known title, started and ended by the test.
class TitleWindow {
 public:
  TitleWindow(const std::wstring& mode, const std::wstring& title) : title_(title) {
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring command = L"\"" + ProgramFolder() + L"\\mvtitlewin.exe\" " + mode + L" " + title;
    started_ = CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_) &&
               WaitFor([this] { return Window() != nullptr; });
  }
  ~TitleWindow() {
    if (pi_.hProcess) {
      if (WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(pi_.hProcess, 1);
        WaitForSingleObject(pi_.hProcess, 5000);
      }
      CloseHandle(pi_.hProcess);
      CloseHandle(pi_.hThread);
    }
  }
  bool Started() const { return started_; }
  HWND Window() const { return FindWindowW(L"MvTitleWin", title_.c_str()); }
  bool WaitForExit() const { return WaitForSingleObject(pi_.hProcess, 15000) == WAIT_OBJECT_0; }
  bool Running() const { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }
  DWORD ExitCode() const {
    DWORD code = 99;
    GetExitCodeProcess(pi_.hProcess, &code);
    return code;
  }
  // How many WM_CLOSE messages the window has received.
  LONG_PTR CloseRequests() const { return GetWindowLongPtrW(Window(), GWLP_USERDATA); }

 private:
  std::wstring title_;
  PROCESS_INFORMATION pi_{};
  bool started_ = false;
};

// txtTargetTitle is disabled for the user; a test writes it from outside.
void SetTargetTitle(const Morvex& app, const std::wstring& title) {
  SendMessageTimeoutW(app.Control("txtTargetTitle"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str()),
                      SMTO_ABORTIFHUNG, 5000, nullptr);
}

// Handlers run one after another: when the hint of xpButton5 is the first
// message box, the clicks before it showed none.
void ExpectNoMessageBefore(const Morvex& app) {
  app.Click("xpButton5");
  const auto box = app.WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text.rfind("Zum Löschen der Autostart-Verknüpfung", 0), 0u) << box->text;
  app.CloseMessageBox(*box);
}

TEST(WindowTitle, TerminateEndsTheOwnerWithExitCodeZeroThenMorvexEnds) {
  Morvex app(FreshFolder("title-terminate"));
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitUntilShown());
  TitleWindow target(L"close", L"Morvex Zielfenster Größe 1");
  ASSERT_TRUE(target.Started());
  SetTargetTitle(app, L"Morvex Zielfenster Größe 1");
  app.Click("cmdTerminate");
  ASSERT_TRUE(target.WaitForExit());
  EXPECT_EQ(target.ExitCode(), 0u) << "ended, not closed";
  EXPECT_EQ(target.CloseRequests(), 0);
  EXPECT_TRUE(app.WaitForExit()) << "the close request of Form1 follows a success";
  EXPECT_TRUE(FileExists(app.PathOf(L"config.ini")));
  EXPECT_TRUE(FileExists(app.PathOf(L"List2.txt")));
}

TEST(WindowTitle, SendCloseMessageClosesAWindowThatHonoursIt) {
  Morvex app(FreshFolder("title-close"));
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitUntilShown());
  ASSERT_TRUE(app.OpenOptions());  // xpButton5 is on it
  TitleWindow target(L"close", L"Morvex Zielfenster 2");
  ASSERT_TRUE(target.Started());
  SetTargetTitle(app, L"Morvex Zielfenster 2");
  app.Click("cmdSendCloseMessage");
  ASSERT_TRUE(target.WaitForExit());
  EXPECT_EQ(target.ExitCode(), 7u) << "closed itself";
  ExpectNoMessageBefore(app);
  EXPECT_TRUE(app.Running());
  app.RequestClose();
  EXPECT_TRUE(app.WaitForExit());
}

TEST(WindowTitle, AWindowThatIgnoresTheCloseRequestStaysAndNothingIsShown) {
  Morvex app(FreshFolder("title-ignore"));
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitUntilShown());
  ASSERT_TRUE(app.OpenOptions());  // xpButton5 is on it
  TitleWindow target(L"ignore", L"Morvex Zielfenster 3");
  ASSERT_TRUE(target.Started());
  SetTargetTitle(app, L"Morvex Zielfenster 3");
  app.Click("cmdSendCloseMessage");
  EXPECT_TRUE(WaitFor([&] { return target.CloseRequests() == 1; }));
  ExpectNoMessageBefore(app);
  EXPECT_TRUE(target.Running());
  EXPECT_TRUE(app.Running());
}

TEST(WindowTitle, EmptyOrUnknownTitleShowsTheLookupErrorOnBothButtons) {
  Morvex app(FreshFolder("title-missing"));
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitUntilShown());
  TitleWindow bystander(L"close", L"Morvex Zielfenster 4");
  ASSERT_TRUE(bystander.Started());
  for (const wchar_t* title : {L"", L"notepad.exe"}) {
    SetTargetTitle(app, title);
    for (const char* button : {"cmdTerminate", "cmdSendCloseMessage"}) {
      SCOPED_TRACE(button);
      app.Click(button);
      const auto box = app.WaitForMessageBox();
      ASSERT_TRUE(box);
      EXPECT_EQ(box->title, "morvex");
      EXPECT_EQ(box->text, "Error finding target window handle");
      app.CloseMessageBox(*box);
    }
  }
  EXPECT_TRUE(app.Running());
  EXPECT_TRUE(bystander.Running());
  EXPECT_EQ(bystander.CloseRequests(), 0);
}

}  // namespace
}  // namespace morvex::e2e
