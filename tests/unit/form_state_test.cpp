#include "settings/form_state.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "app/lifecycle.h"
#include "unit/form_state_fixture.h"

namespace morvex::settings {
namespace {

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
