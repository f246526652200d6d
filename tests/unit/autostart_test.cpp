#include <gtest/gtest.h>

#include "settings/autostart.h"
#include "unit/fakes.h"

namespace morvex::testing {
namespace {

const char* const kCreatedText =
    "Die Autostart-Verknüpfung wurde erstellt.\r\n"
    "Beim nächsten Windowsstart wird das Tray-Icon neben\r\n"
    "der Uhr automatisch geladen.";

// A rig that logs the saving of config.ini, the shortcut calls and the
// messages in one sequence.
struct AutostartRig : Rig {
  std::vector<std::string> log;
  AutostartRig() {
    files.onReplace = [this](const std::string& path) {
      if (path == "C:\\Morvex\\config.ini" && (log.empty() || log.back() != "save")) log.push_back("save");
    };
    links.onCreate = [this] { log.push_back("link"); };
    messages.onShow = [this] { log.push_back("message"); };
  }
};

TEST(AutostartShortcut, FirstClickSavesThenCreatesTheStartupShortcutAndConfirms) {
  AutostartRig rig;
  rig.Form().Get<ui::Button>("xpButton2").UserClicked();
  EXPECT_EQ(rig.log, (std::vector<std::string>{"save", "link", "message"}));
  ASSERT_EQ(rig.links.calls.size(), 1u);
  EXPECT_EQ(rig.links.calls[0],
            (FakeShellLinks::Call{".", "Morvex", "C:\\Morvex\\morvex.exe", "", -1, "$(Startup)"}));
  ASSERT_EQ(rig.messages.shown.size(), 1u);
  EXPECT_EQ(rig.messages.shown[0], (ShownMessage{kCreatedText, "Morvex  Autostart-Verknüpfung", 64}));
  ASSERT_TRUE(rig.Form().HasDeskR());
  EXPECT_FALSE(rig.Form().DeskR().Visible());
  EXPECT_EQ(rig.files.writes.size(), 1u) << "config.ini and nothing else";
}

// Run under another account than the desktop's shell, the program makes no
// shortcut and says why; as the same account, elevated or not, or with no
// shell at all, it makes one.
TEST(AutostartShortcut, OnlyForTheAccountThatIsLoggedOn) {
  using services::ShellOwner;
  for (const ShellOwner owner : {ShellOwner::kOtherAccount, ShellOwner::kSameAccount, ShellOwner::kNoShell}) {
    AutostartRig rig;
    rig.account.shellOwner = owner;
    rig.account.elevated = true;
    rig.Form().Get<ui::Button>("xpButton2").UserClicked();
    const bool other = owner == ShellOwner::kOtherAccount;
    using Log = std::vector<std::string>;
    EXPECT_EQ(rig.log, (other ? Log{"save", "message"} : Log{"save", "link", "message"}));
    if (other) {
      EXPECT_EQ(rig.messages.shown,
                (std::vector<ShownMessage>{{"Morvex läuft unter einem anderen Benutzerkonto als dem angemeldeten. Bitte "
                                            "Morvex ohne Administrator-Anmeldung starten, um die Verknüpfung anzulegen.",
                                            "Morvex  ( Für Windows Vista, Windows 7, Windows 8 )", 48}}));
    }
  }
}

TEST(AutostartShortcut, LaterClicksOnlySaveWhetherTheFirstSucceededOrNot) {
  for (const std::int32_t result : {1, 0}) {
    SCOPED_TRACE(result);
    AutostartRig rig;
    rig.links.result = result;
    for (int click = 0; click < 3; ++click) {
      rig.log.push_back("click");
      rig.Form().Get<ui::Button>("xpButton2").UserClicked();
    }
    EXPECT_EQ(rig.log, (std::vector<std::string>{"click", "save", "link", "message", "click", "save", "click", "save"}));
    EXPECT_EQ(rig.links.calls.size(), 1u);
    EXPECT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_TRUE(rig.Form().HasDeskR());
  }
}

TEST(AutostartShortcut, FailureShowsTheErrorAndKeepsTheDialog) {
  AutostartRig rig;
  rig.links.result = 0;
  rig.Form().Get<ui::Button>("xpButton2").UserClicked();
  ASSERT_EQ(rig.messages.shown.size(), 1u);
  EXPECT_EQ(rig.messages.shown[0], (ShownMessage{"Verknüpfung konnte nicht erstellt werden.", "Fehler", 16}));
  EXPECT_TRUE(rig.Form().HasDeskR());
}

TEST(AutostartShortcut, EachRunCreatesTheShortcutOnItsFirstClick) {
  AutostartRig rig;
  rig.Form().Get<ui::Button>("xpButton2").UserClicked();
  rig.program = std::make_unique<app::Program>(rig.backend, rig.services);  // the next run
  rig.Form().Get<ui::Button>("xpButton2").UserClicked();
  ASSERT_EQ(rig.links.calls.size(), 2u);
  EXPECT_EQ(rig.links.calls[1], rig.links.calls[0]);
  EXPECT_EQ(rig.messages.shown.size(), 2u);
}

TEST(AutostartShortcut, TargetIsTheRunningProgramsOwnFile) {
  for (const char* executable : {"C:\\Programme\\Morvex\\morvex (1).exe", "D:\\Werkzeuge\\Größe\\Morvex.EXE",
                                 "C:\\morvex.exe"}) {
    SCOPED_TRACE(executable);
    AutostartRig rig;
    rig.files.executablePath = executable;
    rig.Form().Get<ui::Button>("xpButton2").UserClicked();
    ASSERT_EQ(rig.links.calls.size(), 1u);
    EXPECT_EQ(rig.links.calls[0].target, executable);
    EXPECT_EQ(rig.messages.shown[0].text, kCreatedText);
  }
}

// Each folder is the one the system reports (a redirected desktop is where
// the user sees it), not one climbed to from the Programs folder. One that
// does not exist gets no shortcut: the user is told, and not of a success.
TEST(AutostartShortcut, FolderFollowsTheDialogsOptionsAndAMissingOneGetsNoShortcut) {
  const struct {
    bool desktop, startup;
    settings::ShortcutPlace place;
  } cases[] = {
      {false, true, {"$(Startup)", "."}},
      {true, false, {"$(Desktop)", "."}},
      {false, false, {"$(QuickLaunch)", "."}},
  };
  for (const auto& c : cases) {
    for (const bool missing : {false, true}) {
      SCOPED_TRACE(c.place.parent + (missing ? " missing" : ""));
      Rig rig;
      if (missing) rig.links.missing.insert(c.place.parent + "\\.");
      ui::Window& deskR = rig.Form().DeskR();
      auto& desktop = deskR.Get<ui::OptionButton>("Option1", 0);
      auto& startup = deskR.Get<ui::OptionButton>("Option1", 1);
      EXPECT_TRUE(startup.Value());  // the initial selection
      desktop.SetValue(c.desktop);
      startup.SetValue(c.startup);
      EXPECT_EQ(settings::ShortcutFolder(deskR), c.place);
      rig.messages.shown.clear();
      rig.links.calls.clear();
      settings::LoadDeskR(rig.Program().Services(), deskR);
      EXPECT_EQ(rig.links.calls.size(), missing ? 0u : 1u);
      ASSERT_EQ(rig.messages.shown.size(), 1u);
      const ShownMessage none{"Den Ordner für die Verknüpfung gibt es auf diesem PC nicht.\r\n"
                              "Es wurde keine Verknüpfung angelegt.",
                              "Fehler", 16};
      const ShownMessage created{kCreatedText, "Morvex  Autostart-Verknüpfung", 64};
      EXPECT_EQ(rig.messages.shown[0], missing ? none : created);
    }
  }
}

TEST(AutostartShortcut, ResultOfTheShellLinkServiceMeansCreatedWhenNonzero) {
  for (const std::int32_t result : {1, -1, 2, 0}) {
    FakeShellLinks links;
    links.result = result;
    EXPECT_EQ(settings::CreateAutostartShortcut(links, {"p", "f"}, "t", "n", -1), result != 0) << result;
    ASSERT_EQ(links.calls.size(), 1u);
    EXPECT_EQ(links.calls[0], (FakeShellLinks::Call{"f", "n", "t", "", -1, "p"}));
  }
}

TEST(AutostartShortcut, RemovalHintIsTitledWithTheCurrentCaptionAndTouchesNothing) {
  const char* const hint =
      "Zum Löschen der Autostart-Verknüpfung gehen Sie auf\r\n"
      "Start > Programme > Autostart und löschen per Rechtsklick\r\n"
      "die Verknüpfung 'Morvex'\r\n"
      "Beim nächsten Windowsstart wird das Programm bzw. das Tray-Icon neben\r\n"
      "der Uhr nicht mehr geladen.";
  AutostartRig rig;
  rig.Form().Get<ui::Button>("xpButton5").UserClicked();
  rig.Form().SetCaption("00:04:59 Morvex");
  rig.Form().Get<ui::Button>("xpButton5").UserClicked();
  EXPECT_EQ(rig.messages.shown,
            (std::vector<ShownMessage>{{hint, "Morvex  ( Für Windows Vista, Windows 7, Windows 8 )", 64},
                                       {hint, "00:04:59 Morvex", 64}}));
  EXPECT_EQ(rig.log, (std::vector<std::string>{"message", "message"}));
  EXPECT_TRUE(rig.links.calls.empty());
  EXPECT_TRUE(rig.files.writes.empty());
  EXPECT_FALSE(rig.Form().HasDeskR());
}

}  // namespace
}  // namespace morvex::testing
