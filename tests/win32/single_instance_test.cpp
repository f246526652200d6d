// One copy per folder: the folder's key, and what a later claim of the same
// folder does while the first copy runs, has a window, or has gone.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "app/single_copy.h"
#include "win32/backend.h"
#include "win32/single_instance.h"
#include "win32/styles.h"

namespace morvex::win32 {
namespace {

std::wstring TempFolder(const wchar_t* name) {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

TEST(FolderKey, OneFolderHasOneKeyHoweverItsPathIsSpelled) {
  const std::wstring folder = TempFolder(L"Morvex Copy Folder");
  const std::wstring other = TempFolder(L"Morvex Other Folder");
  wchar_t shortPath[MAX_PATH] = {};
  GetShortPathNameW(folder.c_str(), shortPath, MAX_PATH);
  std::wstring upper = folder;
  CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
  const std::uint64_t key = FolderKey(folder);
  for (const std::wstring& spelling : {upper, folder + L"\\", std::wstring(shortPath)}) {
    SCOPED_TRACE(std::string(spelling.begin(), spelling.end()));
    EXPECT_EQ(FolderKey(spelling), key);
  }
  EXPECT_NE(FolderKey(other), key);
  EXPECT_NE(key, 0u);
}

// The later start's boxes, counted instead of shown.
class CountedBoxes : public services::MessageBoxes {
 public:
  void Show(const std::string&, const std::string&, int) override { ++shown; }
  int shown = 0;
};

bool Claim(const std::wstring& folder, CountedBoxes& boxes, int boundMs = app::kReachRunningCopyMs) {
  FolderCopy copy(folder);
  return app::ClaimFolder(copy, boxes, boundMs);
}

// The first copy claims the folder on a thread of its own, which holds the
// mutex as a process's main thread does.
TEST(FolderCopy, ALaterClaimAsksTheFirstCopysWindowOrTakesOverWhenItHasGone) {
  const std::wstring folder = TempFolder(L"Morvex Claim Folder");
  // A window of the form's class, as the first copy's main window is.
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  Win32Backend backend(instance);
  HWND window = CreateWindowW(kFormClass, L"first", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
  ASSERT_NE(window, nullptr);

  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  bool firstClaimed = false;
  HANDLE claimed = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread first([&] {
    FolderCopy copy(folder);
    CountedBoxes none;
    firstClaimed = app::ClaimFolder(copy, none);
    SetEvent(claimed);
    WaitForSingleObject(release, INFINITE);
  });  // ends without releasing the mutex, as a process that is ended
  WaitForSingleObject(claimed, INFINITE);
  EXPECT_TRUE(firstClaimed);

  // Without the first copy's window (still starting), the tries run out and
  // the user is told.
  CountedBoxes boxes;
  EXPECT_FALSE(Claim(folder, boxes, 300));
  EXPECT_EQ(boxes.shown, 1);
  // With its window marked, the later claim asks it to show itself; the
  // request passes the message filter of a copy that runs elevated.
  FolderCopy(folder).MarkMainWindow(window);
  EXPECT_EQ(MarkedFolderKey(window), FolderKey(folder));
  EXPECT_EQ(FolderMarkName(0x0123456789ABCDEFull), L"MorvexFolder-0123456789abcdef");
  EXPECT_TRUE(LetThroughMessageFilter(window));
  EXPECT_FALSE(Claim(folder, boxes));
  EXPECT_EQ(boxes.shown, 1);
  MSG msg;
  EXPECT_TRUE(PeekMessageW(&msg, window, ShowRequestMessage(), ShowRequestMessage(), PM_REMOVE));
  // Another folder's claim is its own.
  EXPECT_TRUE(Claim(TempFolder(L"Morvex Claim Other"), boxes));

  // The first copy ends while a later one waits for its window: the later
  // one runs.
  DestroyWindow(window);
  std::thread ending([&] {
    Sleep(300);
    SetEvent(release);
  });
  EXPECT_TRUE(Claim(folder, boxes));
  ending.join();
  first.join();
  CloseHandle(release);
  CloseHandle(claimed);
}

// A copy running elevated holds a mutex that a normal start may not open.
// Wine checks an object's access list though it has no elevation: one that
// lets nobody in stands for it.
TEST(FolderCopy, AMutexThatMayNotBeOpenedMeansACopyRuns) {
  const std::wstring folder = TempFolder(L"Morvex Denied Folder");
  SECURITY_DESCRIPTOR nobody;
  InitializeSecurityDescriptor(&nobody, SECURITY_DESCRIPTOR_REVISION);
  ACL empty;
  InitializeAcl(&empty, sizeof empty, ACL_REVISION);
  SetSecurityDescriptorDacl(&nobody, TRUE, &empty, FALSE);
  SECURITY_ATTRIBUTES attributes{sizeof attributes, &nobody, FALSE};
  const UniqueHandle elevated(CreateMutexW(&attributes, TRUE, FolderObjectName(FolderKey(folder)).c_str()));
  ASSERT_TRUE(elevated);
  FolderCopy copy(folder);
  EXPECT_EQ(copy.CreateObject(), services::FolderObject::kDenied);
  CountedBoxes boxes;
  EXPECT_FALSE(Claim(folder, boxes, 300));
  EXPECT_EQ(boxes.shown, 1);
}

}  // namespace
}  // namespace morvex::win32
