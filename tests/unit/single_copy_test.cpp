// The folder's claim: which start runs, which asks the running copy to show
// itself, and which tells the user that the running copy cannot be reached.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "app/single_copy.h"
#include "unit/fakes.h"

namespace morvex::testing {
namespace {

using services::FolderObject;

// The system as a later start meets it: the objects it gets, one per
// creation (the last one again once they run out), the running copy's window
// after so many waits, and its end after so many.
class FakeFolderClaim : public services::FolderClaim {
 public:
  FolderObject CreateObject() override {
    ++creations;
    return objects[std::min(creations, objects.size()) - 1];
  }
  bool WaitForObject(int ms) override {
    waitedMs += ms;
    return ++waits == endsAfterWaits;
  }
  std::uintptr_t FindRunningWindow() override { return waits >= windowAfterWaits ? 77 : 0; }
  bool AskToShow(std::uintptr_t window) override {
    asked.push_back(window);
    return reachable;
  }
  std::vector<FolderObject> objects;
  int windowAfterWaits = 1 << 30;
  int endsAfterWaits = -1;
  bool reachable = true;
  std::size_t creations = 0;
  int waits = 0;
  int waitedMs = 0;
  std::vector<std::uintptr_t> asked;
};

TEST(SingleCopy, RunsAsksOrTellsTheUserThatTheRunningCopyCannotBeReached) {
  const struct {
    const char* what;
    std::vector<FolderObject> objects;
    int windowAfterWaits, endsAfterWaits;
    bool reachable, runs, asks, told;
  } cases[] = {
      {"no copy runs", {FolderObject::kOwn}, 0, -1, true, true, false, false},
      {"no object to go by", {FolderObject::kUnavailable}, 0, -1, true, true, false, false},
      {"a copy runs with its window", {FolderObject::kHeld}, 0, -1, true, false, true, false},
      {"a copy still starting shows its window later", {FolderObject::kHeld}, 5, -1, true, false, true, false},
      {"the copy ends while it starts", {FolderObject::kHeld}, 1 << 30, 3, true, true, false, false},
      // Access denied on the object: a copy runs elevated.
      {"an elevated copy with its window", {FolderObject::kDenied}, 0, -1, true, false, true, false},
      {"an elevated copy that ends", {FolderObject::kDenied, FolderObject::kDenied, FolderObject::kOwn}, 1 << 30, -1,
       true, true, false, false},
      {"an elevated copy without a window", {FolderObject::kDenied}, 1 << 30, -1, true, false, false, true},
      {"a copy that never shows a window", {FolderObject::kHeld}, 1 << 30, -1, true, false, false, true},
      {"a copy whose window the request cannot reach", {FolderObject::kDenied}, 0, -1, false, false, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    FakeFolderClaim claim;
    claim.objects = c.objects;
    claim.windowAfterWaits = c.windowAfterWaits;
    claim.endsAfterWaits = c.endsAfterWaits;
    claim.reachable = c.reachable;
    FakeMessageBoxes messages;
    EXPECT_EQ(app::ClaimFolder(claim, messages), c.runs);
    EXPECT_EQ(claim.asked, c.asks ? std::vector<std::uintptr_t>{77} : std::vector<std::uintptr_t>{});
    ASSERT_EQ(messages.shown.size(), c.told ? 1u : 0u);
    if (c.told) {
      EXPECT_EQ(messages.shown[0], (ShownMessage{"Morvex läuft aus diesem Ordner bereits, antwortet aber nicht.\r\n"
                                                 "Ein zweites Morvex wird nicht gestartet.",
                                                 "Morvex läuft bereits", 48}));
    }
    // The tries stop at the bound.
    EXPECT_LE(claim.waitedMs, app::kReachRunningCopyMs);
    if (c.told && c.reachable) {
      EXPECT_EQ(claim.waitedMs, app::kReachRunningCopyMs);
    }
  }
}

}  // namespace
}  // namespace morvex::testing
