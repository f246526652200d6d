// The autostart shortcut in the Startup folder, and the hint for removing it.
#include <objidl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>

#include "e2e/driver.h"

namespace morvex::e2e {
namespace {

const char* const kCreated =
    "Die Autostart-Verknüpfung wurde erstellt.\r\n"
    "Beim nächsten Windowsstart wird das Tray-Icon neben\r\n"
    "der Uhr automatisch geladen.";
const char* const kHint =
    "Zum Löschen der Autostart-Verknüpfung gehen Sie auf\r\n"
    "Start > Programme > Autostart und löschen per Rechtsklick\r\n"
    "die Verknüpfung 'Morvex'\r\n"
    "Beim nächsten Windowsstart wird das Programm bzw. das Tray-Icon neben\r\n"
    "der Uhr nicht mehr geladen.";

std::wstring StartupLink() {
  wchar_t startup[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, CSIDL_STARTUP | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, startup);
  return std::wstring(startup) + L"\\Morvex.lnk";
}

struct Link {
  std::wstring target;
  std::wstring folder;  // the working folder
};

// The target and working folder of a link file, read through the shell's link object.
Link ReadLink(const std::wstring& link) {
  CoInitialize(nullptr);
  Link read;
  IShellLinkW* shellLink = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&shellLink)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      wchar_t path[MAX_PATH] = {};
      wchar_t folder[MAX_PATH] = {};
      if (SUCCEEDED(file->Load(link.c_str(), STGM_READ)) &&
          SUCCEEDED(shellLink->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
          SUCCEEDED(shellLink->GetWorkingDirectory(folder, MAX_PATH))) {
        read = {path, folder};
      }
      file->Release();
    }
    shellLink->Release();
  }
  CoUninitialize();
  return read;
}

bool SamePath(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// Names and contents of the files in a folder.
std::map<std::wstring, std::string> FilesIn(const std::wstring& folder) {
  std::map<std::wstring, std::string> files;
  WIN32_FIND_DATAW data;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return files;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      files[data.cFileName] = ReadFileBytes(folder + L"\\" + data.cFileName);
    }
  } while (FindNextFileW(find, &data));
  FindClose(find);
  return files;
}

// Starts the program, opens the options page and clicks xpButton2: the box
// that follows.
std::optional<MessageBoxInfo> StartAndAskForTheShortcut(Morvex& app) {
  if (!app.Start() || !app.WaitUntilShown() || !app.OpenOptions()) return std::nullopt;
  app.Click("xpButton2");
  return app.WaitForMessageBox();
}

TEST(Autostart, FirstClickCreatesTheStartupShortcutLaterClicksNothing) {
  const std::wstring link = StartupLink();
  DeleteFileW(link.c_str());
  Morvex app(FreshFolder("autostart"));
  const auto box = StartAndAskForTheShortcut(app);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, "Morvex  Autostart-Verknüpfung");
  EXPECT_EQ(box->text, kCreated);
  app.CloseMessageBox(*box);
  ASSERT_TRUE(FileExists(link));
  EXPECT_TRUE(SamePath(ReadLink(link).target, app.PathOf(L"morvex.exe"))) << Narrow(ReadLink(link).target);
  // The hidden dialog exists now and stays hidden.
  for (HWND hwnd : app.TopWindows()) EXPECT_NE(app.TextOf(hwnd), "Morvex  Autostart-Verknüpfung");

  // A second click creates nothing and shows nothing: the next box is the hint.
  DeleteFileW(link.c_str());
  app.Click("xpButton2");
  app.Click("xpButton5");
  const auto next = app.WaitForMessageBox();
  ASSERT_TRUE(next);
  EXPECT_EQ(next->text, kHint);
  app.CloseMessageBox(*next);
  EXPECT_FALSE(FileExists(link));

  app.RequestClose();
  EXPECT_TRUE(app.WaitForExit());
}

TEST(Autostart, TheShortcutPointsAtTheProgramUnderTheNameItWasSavedWith) {
  const std::wstring link = StartupLink();
  DeleteFileW(link.c_str());
  Morvex app(FreshFolder("autostart-own-name"), L"morvex (1).exe");
  const auto box = StartAndAskForTheShortcut(app);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, kCreated);
  app.CloseMessageBox(*box);
  const Link made = ReadLink(link);
  EXPECT_TRUE(SamePath(made.target, app.PathOf(L"morvex (1).exe"))) << Narrow(made.target);
  EXPECT_TRUE(SamePath(made.folder, app.Folder())) << Narrow(made.folder);
  DeleteFileW(link.c_str());
  app.RequestClose();
  EXPECT_TRUE(app.WaitForExit());
}

TEST(Autostart, RemovalHintIsTitledWithTheWindowCaptionAndTouchesNoFile) {
  const std::wstring link = StartupLink();
  DeleteFileW(link.c_str());
  Morvex app(FreshFolder("autostart-hint"));
  ASSERT_TRUE(app.Start());
  ASSERT_TRUE(app.WaitUntilShown());
  ASSERT_TRUE(app.OpenOptions());
  const auto before = FilesIn(app.Folder());
  app.Click("xpButton5");
  const auto box = app.WaitForMessageBox();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->title, app.TextOf(app.Form1()));
  EXPECT_EQ(box->text, kHint);
  app.CloseMessageBox(*box);
  EXPECT_EQ(FilesIn(app.Folder()), before);
  EXPECT_FALSE(FileExists(link));
  EXPECT_TRUE(app.Running());
}

}  // namespace
}  // namespace morvex::e2e
