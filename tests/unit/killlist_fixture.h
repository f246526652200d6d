// The kill list's fixture: a main window on the fakes with List2.txt among
// its files, and a user's click on an entry.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "unit/fakes.h"

namespace morvex::testing {

using Entries = std::vector<std::string>;

inline const std::string kKillListPath = "C:\\Morvex\\List2.txt";

// A user's click on an entry: selection first, then the click event.
inline void ClickEntry(ui::ListBox& list, int position, bool ctrl = false) {
  Rig::Peer(list).UserSelect(position, ctrl);
  list.UserClicked();
}

class KillList : public ::testing::Test {
 protected:
  Rig rig;
  forms::Form1& form = rig.Form();

  void SetFile(const std::string& bytes) { rig.files.files[kKillListPath] = bytes; }
  const std::string& File() { return rig.files.files[kKillListPath]; }
  int Writes() { return rig.files.writes[kKillListPath]; }
  void RefillCatalogue(const Entries& names) {
    rig.snapshot.names = names;
    form.Get<ui::Button>("Command1").UserClicked();
  }
};

}  // namespace morvex::testing
