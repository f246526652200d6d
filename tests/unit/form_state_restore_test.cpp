// Restoring the main window's stored state from config.ini: every kind of
// control, bad and missing values, letter case, and the reactions it runs.
#include "settings/form_state.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "unit/form_state_fixture.h"

namespace morvex::settings {
namespace {

using namespace std::string_literals;

TEST(RestoreFormState, WithoutConfigFileTouchesNothing) {
  Rig rig;
  ClickLog log(rig.Form());
  const auto before = Snapshot(rig.Form());
  EXPECT_FALSE(rig.Program().Settings().Restore());
  EXPECT_EQ(Snapshot(rig.Form()), before);
  EXPECT_TRUE(log.clicks.empty());
  EXPECT_EQ(rig.files.files.count(kConfig), 0u);
}

TEST(RestoreFormState, EveryKindRoundTripsThroughARestart) {
  Rig rig;
  forms::Form1& form = rig.Form();
  FillChoosers(form);
  form.Get<ui::TextBox>("txtTargetTitle").SetText("Unbenannt - Editor");
  form.Get<ui::TextBox>("txtHour").SetText("12");
  form.Get<ui::TextBox>("Text1").SetText("Zeile 1\r\nZeile 2\r\n\r\nGr\xC3\xBC\xC3\x9F\x65");
  form.Get<ui::CheckBox>("chkSound").SetValue(1);
  form.Get<ui::CheckBox>("Check2").SetValue(2);
  form.Get<ui::ComboBox>("Combo1").SetListIndex(23);
  form.Get<ui::ComboBox>("Combo2").SetListIndex(4);
  form.Get<ui::OptionButton>("optSetTime").SetValue(true);
  form.Get<ui::OptionButton>("optOnLeftClick", 0).SetValue(true);
  form.Get<ui::ListBox>("List3").AddItem("x");
  form.Get<ui::ListBox>("List3").SetListIndex(0);
  rig.Program().Settings().Save();
  EXPECT_NE(rig.files.files[kConfig].find("Text1=Zeile 1~|~Zeile 2~|~~|~Gr\xFC\xDF\x65\r\n"),
            std::string::npos);
  auto saved = Snapshot(form);

  Restart(rig);
  FillChoosers(rig.Form());
  rig.Form().Get<ui::ListBox>("List3").AddItem("x");
  EXPECT_TRUE(rig.Program().Settings().Restore());
  auto restored = Snapshot(rig.Form());
  EXPECT_EQ(restored, saved);
  EXPECT_EQ(rig.Form().Get<ui::ComboBox>("Combo1").Text(), "23");
  EXPECT_EQ(rig.Form().Get<ui::TextBox>("Text1").Text(), "Zeile 1\r\nZeile 2\r\n\r\nGr\xC3\xBC\xC3\x9F\x65");
}

TEST(RestoreFormState, ChangedValuesRunTheControlsReactionsAndEqualOnesRunNothing) {
  Rig rig;
  rig.files.files[kConfig] =
      "[Form1]\r\nCombo1=5\r\nCombo2=0\r\noptSetCount=-1\r\noptSetTime=0\r\n"
      "optOnLeftClick(0)=-1\r\noptOnLeftClick(1)=0\r\nchkSound=1\r\nCheck1=0\r\n";
  FillChoosers(rig.Form());
  ClickLog log(rig.Form());
  EXPECT_TRUE(rig.Program().Settings().Restore());
  const std::map<std::string, int> expected = {
      {"Combo1", 1}, {"optOnLeftClick(0)", 1}, {"chkSound", 1}};
  EXPECT_EQ(log.clicks, expected);
  EXPECT_EQ(rig.Form().Get<ui::ComboBox>("Combo1").Text(), "05");
  EXPECT_TRUE(rig.Form().Get<ui::OptionButton>("optOnLeftClick", 0).Value());
  EXPECT_FALSE(rig.Form().Get<ui::OptionButton>("optOnLeftClick", 1).Value());
}

TEST(RestoreFormState, ABadValueLeavesItsControlAsItIs) {
  Rig rig;
  rig.files.files[kConfig] =
      "[Form1]\r\n"
      "chkSound=ja\r\n"
      "List3=-2\r\n"
      "Check2=3\r\n"
      "Combo1=70000\r\n"
      "Combo2=1.5\r\n"
      "optSetCount=\"\"\r\n"
      "optSetTime=1e9\r\n"
      "Combo3=-32769\r\n"
      "Check1=-1\r\n"
      "optOnLeftClick(0)=nan\r\n"
      "optOnLeftClick(1)=Falsch\r\n"
      "List2=0x0\r\n"
      "List1=99999999999999999999\r\n";
  FillChoosers(rig.Form());
  rig.Form().Get<ui::ListBox>("List3").AddItem("a");
  rig.Form().Get<ui::ListBox>("List3").AddItem("b");
  rig.Form().Get<ui::ListBox>("List3").SetListIndex(1);
  ClickLog log(rig.Form());
  const auto before = Snapshot(rig.Form());
  EXPECT_TRUE(rig.Program().Settings().Restore());
  EXPECT_EQ(Snapshot(rig.Form()), before);
  EXPECT_TRUE(log.clicks.empty());
}

TEST(RestoreFormState, ListKeysNeverTakeEffectOnEmptyLists) {
  for (const char* stored : {"0", "3", "-1"}) {
    Rig rig;
    rig.files.files[kConfig] = "[Form1]\r\nList1="s + stored + "\r\nList2=" + stored + "\r\n";
    ClickLog log(rig.Form());
    EXPECT_TRUE(rig.Program().Settings().Restore());
    EXPECT_EQ(rig.Form().Get<ui::ListBox>("List1").ListIndex(), -1) << stored;
    EXPECT_EQ(rig.Form().Get<ui::ListBox>("List2").ListIndex(), -1) << stored;
    EXPECT_TRUE(log.clicks.empty()) << stored;
  }
}

TEST(RestoreFormState, AnIndexBeyondTheLastEntryIsIgnored) {
  Rig rig;
  rig.files.files[kConfig] = "[Form1]\r\nCombo1=24\r\nCombo2=56\r\n";
  FillChoosers(rig.Form());
  EXPECT_TRUE(rig.Program().Settings().Restore());
  EXPECT_EQ(rig.Form().Get<ui::ComboBox>("Combo1").ListIndex(), 0);
  EXPECT_EQ(rig.Form().Get<ui::ComboBox>("Combo2").ListIndex(), 56);
  EXPECT_EQ(rig.Form().Get<ui::ComboBox>("Combo2").Text(), "59");
}

TEST(RestoreFormState, ATypedTextComesBackAndOneEqualToAnItemSelectsIt) {
  struct Case {
    int selected;  // the item picked before typing, -1 for none
    const char* typed;
    const char* index;  // the lines written for Combo2
    const char* text;   // nullptr: no text key
  };
  const Case cases[] = {
      {0, "00", "Combo2=-1", "Combo2.Text=00"},  // "03" picked, the full hour typed
      {-1, "7", "Combo2=-1", "Combo2.Text=7"},
      {-1, "45", "Combo2=42", nullptr},  // equal to an item: that item
      {0, "45", "Combo2=42", nullptr},
      {5, "08", "Combo2=5", nullptr},  // the picked item itself
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    Rig rig;
    FillChoosers(rig.Form());
    rig.Form().Get<ui::ComboBox>("Combo2").SetListIndex(c.selected);
    rig.Form().Get<ui::ComboBox>("Combo2").SetText(c.typed);
    rig.Program().Settings().Save();
    const std::string& bytes = rig.files.files[kConfig];
    EXPECT_NE(bytes.find("\r\n"s + c.index + "\r\n"), std::string::npos) << bytes;
    EXPECT_EQ(bytes.find("Combo2.Text=") != std::string::npos, c.text != nullptr) << bytes;
    if (c.text) {
      EXPECT_NE(bytes.find("\r\n"s + c.text + "\r\n"), std::string::npos) << bytes;
    }

    Restart(rig);
    FillChoosers(rig.Form());
    EXPECT_TRUE(rig.Program().Settings().Restore());
    EXPECT_EQ(rig.Form().Get<ui::ComboBox>("Combo2").Text(), c.typed);
    EXPECT_EQ(rig.Form().Get<ui::ComboBox>("Combo2").ListIndex() >= 0, c.text == nullptr);
    // The hidden seconds field keeps its design text, as stored.
    EXPECT_EQ(rig.Form().Get<ui::ComboBox>("Combo3").Text(), "00");
  }
}

TEST(RestoreFormState, ATextKeyCountsOnlyBesideAnIndexOfMinusOne) {
  const struct {
    const char* lines;
    const char* text;
  } cases[] = {
      {"Combo1=-1\r\nCombo1.Text=22\r\n", "22"},
      {"Combo1=5\r\nCombo1.Text=22\r\n", "05"},  // a later pick wins over an old typed text
      {"Combo1.Text=22\r\n", "00"},               // no index: nothing
      {"Combo1=-1\r\n", "00"},                    // today's files: the text stays
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.lines);
    Rig rig;
    rig.files.files[kConfig] = "[Form1]\r\n"s + c.lines;
    FillChoosers(rig.Form());
    EXPECT_TRUE(rig.Program().Settings().Restore());
    EXPECT_EQ(rig.Form().Get<ui::ComboBox>("Combo1").Text(), c.text);
  }
}

TEST(RestoreFormState, SectionAndKeyNamesMatchInAnyLetterCase) {
  Rig rig;
  rig.files.files[kConfig] =
      "[FORM1]\r\nCHKSOUND=1\r\ntxtsekunde=42\r\nOPTONLEFTCLICK(0)=-1\r\n";
  EXPECT_TRUE(rig.Program().Settings().Restore());
  EXPECT_EQ(rig.Form().Get<ui::CheckBox>("chkSound").Value(), 1);
  EXPECT_EQ(rig.Form().Get<ui::TextBox>("txtSekunde").Text(), "42");
  EXPECT_TRUE(rig.Form().Get<ui::OptionButton>("optOnLeftClick", 0).Value());

  // A save keeps the hand-written spelling and adds no second section.
  rig.Program().Settings().Save();
  const std::string& bytes = rig.files.files[kConfig];
  EXPECT_EQ(bytes.rfind("[FORM1]\r\nCHKSOUND=1\r\ntxtsekunde=42\r\nOPTONLEFTCLICK(0)=-1\r\n", 0), 0u);
  EXPECT_EQ(bytes.find("[Form1]"), std::string::npos);
}

TEST(RestoreFormState, AValueLongerThan255CharactersComesBackCut) {
  Rig rig;
  std::string text;
  for (int i = 0; i < 300; ++i) text.push_back(static_cast<char>('a' + i % 26));
  rig.Form().Get<ui::TextBox>("Text1").SetText(text);
  rig.Program().Settings().Save();
  Restart(rig);
  EXPECT_TRUE(rig.Program().Settings().Restore());
  EXPECT_EQ(rig.Form().Get<ui::TextBox>("Text1").Text(), text.substr(0, 255));
}

TEST(RestoreFormState, MissingOrEmptyKeysKeepTheDesignValues) {
  Rig rig;
  rig.files.files[kConfig] = "[Form1]\r\nText1=\r\ntxtHour=  \r\n[Form2]\r\nchkSound=1\r\n";
  EXPECT_TRUE(rig.Program().Settings().Restore());
  EXPECT_EQ(rig.Form().Get<ui::TextBox>("Text1").Text(), "Text1");
  EXPECT_EQ(rig.Form().Get<ui::TextBox>("txtHour").Text(), "00");
  EXPECT_EQ(rig.Form().Get<ui::CheckBox>("chkSound").Value(), 0);
}

}  // namespace
}  // namespace morvex::settings
