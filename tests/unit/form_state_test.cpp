#include "settings/form_state.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/lifecycle.h"
#include "unit/fakes.h"

namespace morvex::settings {
namespace {

using namespace std::string_literals;
using testing::Rig;

const std::string kConfig = "C:\\Morvex\\config.ini";

// The keys a fresh Form1 writes, in order, with their design values (the
// combo boxes have no items yet, so nothing can have been typed in them).
const char kFreshConfig[] =
    "[Form1]\r\n"
    "txtSekunde=00\r\n"
    "txtMinute=00\r\n"
    "txtHour=00\r\n"
    "chkSound=0\r\n"
    "List3=-1\r\n"
    "Text1=Text1\r\n"
    "Check2=0\r\n"
    "Combo1=-1\r\n"
    "Combo2=-1\r\n"
    "optSetCount=-1\r\n"
    "optSetTime=0\r\n"
    "Combo3=-1\r\n"
    "Check1=0\r\n"
    "optOnLeftClick(0)=0\r\n"
    "optOnLeftClick(1)=-1\r\n"
    "List2=-1\r\n"
    "List1=-1\r\n";

// Counts the click events of every stored control, by key.
struct ClickLog {
  explicit ClickLog(forms::Form1& form) {
    for (const auto& control : form.Controls()) {
      if (StoredValue(*control).empty() && control->GetKind() != ui::Kind::TextBox) continue;
      const std::string key = ControlKey(*control);
      control->onClick = [this, key] { ++clicks[key]; };
    }
  }
  std::map<std::string, int> clicks;
};

// The hour and minute choosers as start-up fills them: "00".."23" and
// "03".."59", the first entry selected.
void FillChoosers(forms::Form1& form) {
  for (int hour = 0; hour < 24; ++hour)
    form.Get<ui::ComboBox>("Combo1").AddItem((hour < 10 ? "0" : "") + std::to_string(hour));
  for (int minute = 3; minute < 60; ++minute)
    form.Get<ui::ComboBox>("Combo2").AddItem((minute < 10 ? "0" : "") + std::to_string(minute));
  form.Get<ui::ComboBox>("Combo1").SetListIndex(0);
  form.Get<ui::ComboBox>("Combo2").SetListIndex(0);
}

// The values of all stored controls, with the edit texts of the combo boxes.
std::map<std::string, std::string> Snapshot(const forms::Form1& form) {
  std::map<std::string, std::string> values;
  for (const auto& control : form.Controls()) {
    values[ControlKey(*control)] = StoredValue(*control);
    if (control->GetKind() == ui::Kind::ComboBox) {
      values[ControlKey(*control) + ".Text"] = static_cast<const ui::ComboBox&>(*control).Text();
    }
  }
  return values;
}

// A new main window over the same files, as after a restart.
void Restart(Rig& rig) { rig.program = std::make_unique<app::Program>(rig.backend, rig.services); }

TEST(ConfigFilePath, AddsASeparatorOnlyWhenTheFolderLacksOne) {
  struct Case {
    const char* folder;
    const char* path;
  };
  const Case cases[] = {
      {"C:\\Morvex", "C:\\Morvex\\config.ini"},
      {"C:\\", "C:\\config.ini"},
      {"D:\\Programme\\M\xC3\xB6rvex\\", "D:\\Programme\\M\xC3\xB6rvex\\config.ini"},
      {"\\\\server\\share", "\\\\server\\share\\config.ini"},
  };
  for (const Case& c : cases) {
    Rig rig;
    rig.files.appFolder = c.folder;
    EXPECT_EQ(ConfigFilePath(rig.files), c.path) << c.folder;
  }
}

TEST(ControlKey, Form1StoresEighteenKeysInDeclarationOrder) {
  Rig rig;
  std::vector<std::string> keys;
  for (const auto& control : rig.Form().Controls()) {
    switch (control->GetKind()) {
      case ui::Kind::TextBox:
      case ui::Kind::ListBox:
      case ui::Kind::ComboBox:
      case ui::Kind::CheckBox:
      case ui::Kind::OptionButton:
        keys.push_back(ControlKey(*control));
        break;
      default:
        EXPECT_EQ(StoredValue(*control), "") << ControlKey(*control);
    }
  }
  const std::vector<std::string> expected = {
      "txtTargetTitle", "txtSekunde",  "txtMinute",         "txtHour",           "chkSound", "List3",
      "Text1",          "Check2",      "Combo1",            "Combo2",            "optSetCount",
      "optSetTime",     "Combo3",      "Check1",            "optOnLeftClick(0)", "optOnLeftClick(1)",
      "List2",          "List1"};
  EXPECT_EQ(keys, expected);
}

TEST(LineBreaks, CrLfPairsAndTheMarkTradePlaces) {
  struct Case {
    std::string text;
    std::string stored;
  };
  const Case cases[] = {
      {"eins\r\nzwei", "eins~|~zwei"},
      {"\r\n\r\n", "~|~~|~"},
      {"a\r\r\nb", "a\r~|~b"},
      {"lone\rcr", "lone\rcr"},
      {"lone\nlf", "lone\nlf"},
      {"lf\n\rcr", "lf\n\rcr"},
      {"", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(EncodeLineBreaks(c.text), c.stored);
    EXPECT_EQ(DecodeLineBreaks(c.stored), c.text);
  }
  // A mark the user typed comes back as a line break.
  EXPECT_EQ(DecodeLineBreaks("x~|~y~|"), "x\r\ny~|");
  EXPECT_EQ(DecodeLineBreaks("~|~|~"), "\r\n|~");
}

TEST(StoredNumbers, ListIndexIsAWholeNumberFromMinusOneWithin16Bits) {
  const std::map<std::string, std::optional<int>> cases = {
      {"-1", -1},          {"0", 0},         {"17", 17},           {"+3", 3},
      {"32767", 32767},    {"007", 7},       {"-2", std::nullopt}, {"32768", std::nullopt},
      {"-32769", std::nullopt}, {"99999999999", std::nullopt}, {"1.5", std::nullopt},
      {"abc", std::nullopt}, {"", std::nullopt}, {"3x", std::nullopt}, {"+-1", std::nullopt},
      {"+", std::nullopt}, {"0x10", std::nullopt}, {" 1", std::nullopt}, {"--1", std::nullopt},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(ParseListIndex(value), expected) << value;
}

TEST(StoredNumbers, CheckValuesAreRoundedDownWithin16Bits) {
  const std::map<std::string, std::optional<int>> cases = {
      {"0", 0},          {"1", 1},       {"2", 2},          {"-1", -1},         {"1.9", 1},
      {"-0.5", -1},      {"2.5e0", 2},   {"+1", 1},         {"32767.9", 32767}, {"-32768", -32768},
      {"32768", std::nullopt}, {"-32768.5", std::nullopt}, {"1e10", std::nullopt},
      {"inf", std::nullopt},   {"nan", std::nullopt},      {"Wahr", std::nullopt},
      {"", std::nullopt},      {"1,5", std::nullopt},      {"0x1", std::nullopt},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(ParseWholeNumber(value), expected) << value;
}

TEST(SaveFormState, FirstSaveOfAFreshWindowWritesTheSectionAndDesignValuesInOrder) {
  Rig rig;
  rig.Program().Settings().Save();
  EXPECT_EQ(rig.files.files[kConfig], kFreshConfig);
  // Saving again changes nothing.
  rig.Program().Settings().Save();
  EXPECT_EQ(rig.files.files[kConfig], kFreshConfig);
}

TEST(SaveFormState, LaterSavesReplaceValuesInPlaceAndKeepWhatIsForeign) {
  Rig rig;
  rig.files.files[kConfig] =
      "[Other]\r\nkeep=1\r\n"
      "[Form1]\r\nList1=5\r\nforeign=x\r\nchkSound=1\r\n"
      "[Last]\r\nz=2\r\n";
  rig.Form().Get<ui::TextBox>("txtTargetTitle").SetText("Editor");
  rig.Program().Settings().Save();
  EXPECT_EQ(rig.files.files[kConfig],
            "[Other]\r\nkeep=1\r\n"
            "[Form1]\r\nList1=-1\r\nforeign=x\r\nchkSound=0\r\n"
            "txtTargetTitle=Editor\r\ntxtSekunde=00\r\ntxtMinute=00\r\ntxtHour=00\r\nList3=-1\r\n"
            "Text1=Text1\r\nCheck2=0\r\nCombo1=-1\r\nCombo2=-1\r\n"
            "optSetCount=-1\r\noptSetTime=0\r\nCombo3=-1\r\nCheck1=0\r\noptOnLeftClick(0)=0\r\n"
            "optOnLeftClick(1)=-1\r\nList2=-1\r\n"
            "[Last]\r\nz=2\r\n");
}

TEST(SaveFormState, WritesEachKindInItsValueForm) {
  Rig rig;
  forms::Form1& form = rig.Form();
  FillChoosers(form);
  form.Get<ui::ComboBox>("Combo1").SetListIndex(7);
  form.Get<ui::ListBox>("List3").AddItem("a");
  form.Get<ui::ListBox>("List3").AddItem("b");
  form.Get<ui::ListBox>("List3").SetListIndex(1);
  form.Get<ui::CheckBox>("chkSound").SetValue(2);
  form.Get<ui::CheckBox>("Check1").SetValue(1);
  form.Get<ui::OptionButton>("optSetTime").SetValue(true);
  form.Get<ui::OptionButton>("optOnLeftClick", 0).SetValue(true);
  form.Get<ui::TextBox>("Text1").SetText("Gr\xC3\xBC\xC3\x9F\x65 \xE2\x82\xAC");  // "Grüße €"
  rig.Program().Settings().Save();
  const std::string& bytes = rig.files.files[kConfig];
  for (const char* line :
       {"\r\nCombo1=7\r\n", "\r\nCombo2=0\r\n", "\r\nList3=1\r\n", "\r\nchkSound=2\r\n",
        "\r\nCheck1=1\r\n", "\r\noptSetCount=0\r\n", "\r\noptSetTime=-1\r\n",
        "\r\noptOnLeftClick(0)=-1\r\n", "\r\noptOnLeftClick(1)=0\r\n",
        "\r\nText1=Gr\xFC\xDF\x65 \x80\r\n"}) {
    EXPECT_NE(bytes.find(line), std::string::npos) << line;
  }
}

TEST(SaveFormState, AnEmptiedTextIsNotWrittenAndTheOldTextComesBack) {
  Rig rig;
  rig.Form().Get<ui::TextBox>("Text1").SetText("Notiz");
  rig.Program().Settings().Save();
  rig.Form().Get<ui::TextBox>("Text1").SetText("");
  rig.Program().Settings().Save();
  EXPECT_NE(rig.files.files[kConfig].find("\r\nText1=Notiz\r\n"), std::string::npos);

  Restart(rig);
  EXPECT_EQ(rig.Form().Get<ui::TextBox>("Text1").Text(), "Text1");
  EXPECT_TRUE(rig.Program().Settings().Restore());
  EXPECT_EQ(rig.Form().Get<ui::TextBox>("Text1").Text(), "Notiz");
}

TEST(SaveFormState, AFailedWriteIsReportedOncePerRunAndTheProgramGoesOn) {
  Rig rig;
  rig.files.writeErrors[kConfig] = "Zugriff verweigert";
  const testing::ShownMessage report{
      "Die Einstellungen des Fensters wurden nicht gespeichert.\n\nDatei: C:\\Morvex\\config.ini\n"
      "Grund: Zugriff verweigert",
      "Fehler beim Speichern", services::kCritical};
  rig.Program().Settings().Save();
  rig.Program().Settings().Save();
  EXPECT_EQ(rig.files.files.count(kConfig), 0u);
  EXPECT_EQ(rig.messages.shown, std::vector<testing::ShownMessage>{report});

  Restart(rig);  // the next run reports it again, once
  rig.Program().Settings().Save();
  rig.Program().Settings().Save();
  EXPECT_EQ(rig.messages.shown, (std::vector<testing::ShownMessage>{report, report}));
}

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

TEST(CheckBox, AUserClickChecksAnUncheckedBoxAndUnchecksAnyOther) {
  const std::pair<int, int> cases[] = {{0, 1}, {1, 0}, {2, 0}};
  for (const auto& [before, after] : cases) {
    Rig rig;
    ui::CheckBox& box = rig.Form().Get<ui::CheckBox>("chkSound");
    box.SetValue(before);
    int clicks = 0;
    box.onClick = [&clicks] { ++clicks; };
    box.UserClicked();
    EXPECT_EQ(box.Value(), after) << before;
    EXPECT_EQ(clicks, 1) << before;
  }
}

TEST(StartUp, RestoresShowsAndSavesAndTheCloseRequestSavesFirst) {
  Rig rig;
  rig.files.files[kConfig] = "[Form1]\r\nchkSound=1\r\n";
  app::StartUp(rig.Program());
  EXPECT_EQ(rig.Form().Get<ui::CheckBox>("chkSound").Value(), 1);
  EXPECT_TRUE(rig.Form().Visible());
  EXPECT_EQ(rig.files.files[kConfig].rfind("[Form1]\r\nchkSound=1\r\ntxtSekunde=00\r\n", 0), 0u);

  rig.Form().Get<ui::CheckBox>("Check2").UserClicked();
  rig.Form().RequestClose();
  EXPECT_NE(rig.files.files[kConfig].find("\r\nCheck2=1\r\n"), std::string::npos);
  EXPECT_EQ(rig.lifetime.ended, 1);
}

}  // namespace
}  // namespace morvex::settings
