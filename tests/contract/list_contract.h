// What the program relies on from Win32's list and combo boxes, as one
// contract that runs against the headless backend natively and against real
// controls under Wine.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

#include "ui/controls.h"

namespace morvex::contract {

// A backend plus the one thing a backend cannot do through the toolkit: a
// user's mouse click on a list entry (with or without Ctrl).
struct ListRig {
  std::unique_ptr<ui::Backend> backend;
  std::function<void(ui::ListBox&, int position, bool ctrl)> click;
};

using ListRigFactory = ListRig (*)();

// A factory prints as "rig", not as its address: ctest names the tests by
// the printed value, and the names are then the same in every build.
inline void PrintTo(ListRigFactory, std::ostream* os) { *os << "rig"; }

class ListContract : public ::testing::TestWithParam<ListRigFactory> {};

}  // namespace morvex::contract
