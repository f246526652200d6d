#include "contract/list_contract.h"

#include <string>
#include <vector>

#include "forms/window_tables.h"

namespace morvex::contract {
namespace {

struct Built {
  ListRig rig;
  std::unique_ptr<ui::Window> window;
};

Built Build(ListRigFactory factory) {
  Built built{factory(), nullptr};
  built.window = std::make_unique<ui::Window>(forms::Form1Def(), *built.rig.backend);
  return built;
}

void Fill(ui::ListControl& list, const std::vector<std::string>& items) {
  for (const auto& item : items) list.AddItem(item);
}

std::vector<int> SelectedOf(const ui::ListBox& list) {
  std::vector<int> out;
  for (int i = 0; i < list.ListCount(); ++i) {
    if (list.Selected(i)) out.push_back(i);
  }
  return out;
}

// The focus mark and the selection of an extended-selection list while the
// first entry is removed again and again, as a termination run does.
TEST_P(ListContract, ExtendedListKeepsSelectionAndFocusMarkOnTheClickedEntry) {
  auto built = Build(GetParam());
  auto& list = built.window->Get<ui::ListBox>("List2");
  Fill(list, {"a.exe", "b.exe", "c.exe"});
  EXPECT_EQ(list.peer().Caret(), 0) << "a filled list has its focus mark on the first entry";
  EXPECT_TRUE(SelectedOf(list).empty());

  built.rig.click(list, 2, false);
  EXPECT_EQ(SelectedOf(list), std::vector<int>{2});
  EXPECT_EQ(list.peer().Caret(), 2);

  list.RemoveItem(0);
  EXPECT_EQ(SelectedOf(list), std::vector<int>{1});
  EXPECT_EQ(list.peer().Caret(), 1);
  EXPECT_EQ(list.List(list.peer().Caret()), "c.exe");

  list.RemoveItem(0);
  EXPECT_EQ(SelectedOf(list), std::vector<int>{0});
  EXPECT_EQ(list.peer().Caret(), 0);

  list.RemoveItem(0);
  EXPECT_EQ(list.ListCount(), 0);
}

TEST_P(ListContract, ExtendedListRemovingSelectedEntriesLeavesNoneSelected) {
  auto built = Build(GetParam());
  auto& list = built.window->Get<ui::ListBox>("List2");
  Fill(list, {"a", "b", "c", "d"});
  built.rig.click(list, 0, false);
  built.rig.click(list, 2, true);
  EXPECT_EQ(SelectedOf(list), (std::vector<int>{0, 2}));
  EXPECT_EQ(list.peer().Caret(), 2);

  list.RemoveItem(2);
  list.RemoveItem(0);
  EXPECT_EQ(list.List(0), "b");
  EXPECT_EQ(list.List(1), "d");
  EXPECT_TRUE(SelectedOf(list).empty());
  const int caret = list.peer().Caret();
  EXPECT_GE(caret, 0);
  EXPECT_LT(caret, 2);
}

TEST_P(ListContract, SingleListDropsTheSelectionWithItsEntry) {
  auto built = Build(GetParam());
  auto& list = built.window->Get<ui::ListBox>("List1");
  Fill(list, {"a", "b", "c"});
  EXPECT_EQ(list.ListIndex(), -1);
  built.rig.click(list, 2, false);
  EXPECT_EQ(list.ListIndex(), 2);
  list.RemoveItem(0);
  EXPECT_EQ(list.ListIndex(), 1);
  EXPECT_EQ(list.Text(), "c");
  list.RemoveItem(1);
  EXPECT_EQ(list.ListIndex(), -1);
  list.Clear();
  EXPECT_EQ(list.ListCount(), 0);
  EXPECT_EQ(list.ListIndex(), -1);
}

TEST_P(ListContract, ExactSearchIgnoresLetterCaseIncludingUmlauts) {
  auto built = Build(GetParam());
  auto& list = built.window->Get<ui::ListBox>("List2");
  Fill(list, {"notepad.exe", "Ärger.exe", "calc", "notepad.exe", "блокнот.exe", "Łódź.exe", "Σοφια.exe"});
  const struct {
    const char* text;
    int expected;
  } cases[] = {
      {"notepad.exe", 0},  {"NOTEPAD.EXE", 0},  {"ärger.EXE", 1},   {"CALC", 2},
      {"calc.exe", -1},    {"note", -1},        {"", -1},           {"notepad.exe ", -1},
      {"блокнот.exe", 4},  {"БЛОКНОТ.EXE", 4},  {"блокнод.exe", -1}, {"???????.exe", -1},
      {"ŁÓDŹ.EXE", 5},     {"łódź.exe", 5},     {"Lódz.exe", -1},   {"Łodz.exe", -1},
      {"ΣΟΦΙΑ.EXE", 6},    {"Σοφία.exe", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(list.FindExact(c.text), c.expected) << c.text;
}

TEST_P(ListContract, ComboTextFollowsItsSelection) {
  auto built = Build(GetParam());
  auto& combo = built.window->Get<ui::ComboBox>("Combo1");
  Fill(combo, {"00", "01", "02"});
  combo.peer().SetCurSel(1);
  EXPECT_EQ(combo.Text(), "01");
  EXPECT_EQ(combo.ListIndex(), 1);
  combo.peer().SetCurSel(-1);
  EXPECT_EQ(combo.Text(), "");
  EXPECT_EQ(combo.ListIndex(), -1);
  // The toolkit's own rule on top: clearing the selection keeps the text.
  combo.SetListIndex(2);
  combo.SetListIndex(-1);
  EXPECT_EQ(combo.Text(), "02");
}

}  // namespace
}  // namespace morvex::contract
