// The kill list's file, List2.txt: loading it in every form Notepad may
// have written, and saving the whole list back, through the main window.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "app/lifecycle.h"
#include "processes/killlist.h"
#include "processes/killlist_format.h"
#include "processes/texts.h"
#include "unit/killlist_fixture.h"

namespace morvex::testing {
namespace {

using namespace std::string_literals;

// --- loading -------------------------------------------------------------------

struct LoadCase {
  const char* name;
  std::string bytes;
  Entries entries;
};

void PrintTo(const LoadCase& c, std::ostream* os) { *os << c.name; }

class LoadKillListTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(LoadKillListTest, AppendsTheFieldsInFileOrderWithNothingSelected) {
  Rig rig;
  forms::Form1& form = rig.Form();
  form.Get<ui::ListBox>("List2").AddItem("before.exe");
  rig.files.files[kKillListPath] = GetParam().bytes;
  rig.Program().KillList().LoadKillList();
  Entries expected{"before.exe"};
  expected.insert(expected.end(), GetParam().entries.begin(), GetParam().entries.end());
  EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), expected);
  EXPECT_EQ(form.Get<ui::ListBox>("List2").SelCount(), 0);
  EXPECT_TRUE(rig.messages.shown.empty());
  EXPECT_EQ(rig.files.writes[kKillListPath], 0);
}

INSTANTIATE_TEST_SUITE_P(
    KillList, LoadKillListTest,
    ::testing::Values(
        LoadCase{"OneName", "notepad.exe\r\n", {"notepad.exe"}},
        LoadCase{"CommaGivesTwoEntries", "a.exe,b.exe\r\n", {"a.exe", "b.exe"}},
        LoadCase{"LeadingBlanksSkipped", "  calc.exe\r\n", {"calc.exe"}},
        LoadCase{"BlankLineIsEmptyEntry", "a.exe\r\n\r\nb.exe\r\n", {"a.exe", "", "b.exe"}},
        LoadCase{"QuotedCommaIsOneEntry", "\"a.exe,b.exe\"\r\n", {"a.exe,b.exe"}},
        LoadCase{"DuplicatesStay", "x.exe\r\nX.EXE\r\nx.exe\r\n", {"x.exe", "X.EXE", "x.exe"}},
        LoadCase{"EmptyFileGivesNothing", "", {}},
        LoadCase{"AnsiConverted", "\xC4rger.exe\r\n", {"Ärger.exe"}},
        LoadCase{"NoLastLineEnd", "a.exe\r\nb.exe", {"a.exe", "b.exe"}},
        LoadCase{"HighBytes", "\x81\xFF\r\n"s, {"\xC2\x81ÿ"}},
        LoadCase{"VeryLongLine", std::string(1 << 20, 'x') + "\r\ny", {std::string(1 << 20, 'x'), "y"}}),
    [](const ::testing::TestParamInfo<LoadCase>& info) { return info.param.name; });

TEST_F(KillList, MissingFileChangesNothingAndSaysNothing) {
  form.Get<ui::ListBox>("List2").AddItem("kept.exe");
  rig.Program().KillList().LoadKillList();
  EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), Entries{"kept.exe"});
  EXPECT_TRUE(rig.messages.shown.empty());
}

TEST_F(KillList, StartUpReadsTheFirstEntryBeforeTheRest) {
  SetFile("first.exe\r\nsecond.exe,third.exe\r\n");
  processes::KillListFile file(rig.services);
  ASSERT_TRUE(file.IsOpen());
  ASSERT_FALSE(file.AtEnd());
  const std::string first = file.ReadField();
  EXPECT_EQ(first, "first.exe");
  form.Get<ui::ListBox>("List2").AddItem(first);
  rig.Program().KillList().AppendKillList(file);
  EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), (Entries{"first.exe", "second.exe", "third.exe"}));
}

TEST_F(KillList, UnreadableFileIsReportedAndNotOverwrittenUntilTheListChanges) {
  SetFile("a.exe\r\nb.exe\r\n");
  rig.files.readErrors[kKillListPath] = "Der Prozess kann nicht auf die Datei zugreifen.";
  rig.Program().KillList().LoadKillList();
  ASSERT_EQ(rig.messages.shown.size(), 1u);
  const ShownMessage& shown = rig.messages.shown[0];
  EXPECT_EQ(shown.style, services::kCritical);
  EXPECT_EQ(shown.title, processes::kNotReadTitle);
  EXPECT_NE(shown.text.find(kKillListPath), std::string::npos);
  EXPECT_NE(shown.text.find("Der Prozess kann nicht auf die Datei zugreifen."), std::string::npos);

  // Saving without a change of the list leaves the file alone...
  rig.Program().KillList().SaveKillList();
  EXPECT_EQ(Writes(), 0);
  EXPECT_EQ(File(), "a.exe\r\nb.exe\r\n");
  // ...so does a copy that adds nothing...
  form.Get<ui::Button>("cmduebernehmen").UserClicked();
  EXPECT_EQ(Writes(), 0);
  // ...but a change the user makes is saved.
  RefillCatalogue({"new.exe"});
  ClickEntry(form.Get<ui::ListBox>("List1"), 0);
  form.Get<ui::Button>("cmduebernehmen").UserClicked();
  EXPECT_EQ(Writes(), 1);
  EXPECT_EQ(File(), "new.exe\r\n");
}

// List2.txt as Notepad may have written it: read as what it is, and written
// back in ANSI where every name fits it, else in UTF-8 after a byte-order mark.
TEST(KillListEncodings, AreReadAsWhatTheyAreAndWrittenBack) {
  const auto utf16 = [](const std::u16string& text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : text) {
      const char high = static_cast<char>(unit >> 8);
      const char low = static_cast<char>(unit & 0xFF);
      bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
  };
  const std::string ansi = "a.exe\r\nspiel_f\xFCr.exe\r\n";
  struct Case {
    const char* what;
    std::string bytes;
    Entries shown;
    std::string written;  // after a removal that removes nothing
  };
  const Case cases[] = {
      {"ANSI", ansi, {"a.exe", "spiel_für.exe"}, ansi},
      {"ASCII", "a.exe\r\nb.exe", {"a.exe", "b.exe"}, "a.exe\r\nb.exe\r\n"},
      {"UTF-8", "a.exe\r\nspiel_f\xC3\xBCr.exe\r\n", {"a.exe", "spiel_für.exe"}, ansi},
      {"UTF-8 with BOM", "\xEF\xBB\xBF" "a.exe\r\nspiel_f\xC3\xBCr.exe", {"a.exe", "spiel_für.exe"}, ansi},
      {"UTF-16 LE", utf16(u"a.exe\r\n\u0141\u00F3d\u017A.exe\r\n", false), {"a.exe", "Łódź.exe"},
       "\xEF\xBB\xBF" "a.exe\r\n\xC5\x81\xC3\xB3" "d\xC5\xBA.exe\r\n"},
      {"UTF-16 BE", utf16(u"a.exe\r\nspiel_f\u00FCr.exe", true), {"a.exe", "spiel_für.exe"}, ansi},
      {"an entry with NUL: the file is kept", "a.exe\r\nx\0y.exe\r\n"s, {"a.exe"}, "a.exe\r\nx\0y.exe\r\n"s},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Rig rig;
    forms::Form1& form = rig.Form();
    rig.files.files[kKillListPath] = c.bytes;
    app::StartUp(rig.Program());
    EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), c.shown);
    form.Get<ui::Button>("cmdloeschen").UserClicked();
    EXPECT_EQ(rig.files.files[kKillListPath], c.written);
  }
  // Once the user changes the list, the file holds what List2 shows.
  Rig rig;
  rig.files.files[kKillListPath] = "a.exe\r\nx\0y.exe\r\n"s;
  app::StartUp(rig.Program());
  ClickEntry(rig.Form().Get<ui::ListBox>("List2"), 0);
  rig.Form().Get<ui::Button>("cmdloeschen").UserClicked();
  EXPECT_EQ(rig.files.files[kKillListPath], "");
}

// --- saving ----------------------------------------------------------------------

struct SaveCase {
  const char* name;
  Entries entries;
  std::string bytes;
};

void PrintTo(const SaveCase& c, std::ostream* os) { *os << c.name; }

class SaveKillListTest : public ::testing::TestWithParam<SaveCase> {};

TEST_P(SaveKillListTest, WritesTheWholeFileAndReadsItBack) {
  Rig rig;
  forms::Form1& form = rig.Form();
  rig.files.files[kKillListPath] = "previous content that is longer\r\n";
  for (const auto& entry : GetParam().entries) form.Get<ui::ListBox>("List2").AddItem(entry);
  rig.Program().KillList().SaveKillList();
  ASSERT_EQ(rig.files.files.count(kKillListPath), 1u);
  EXPECT_EQ(rig.files.files[kKillListPath], GetParam().bytes);

  form.Get<ui::ListBox>("List2").Clear();
  rig.Program().KillList().LoadKillList();
  EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(
    KillList, SaveKillListTest,
    ::testing::Values(
        SaveCase{"TwoNamesAre14Bytes", {"a.exe", "b.exe"}, "a.exe\r\nb.exe\r\n"},
        SaveCase{"EmptyListIsEmptyFile", {}, ""},
        SaveCase{"UmlautInAnsi", {"Ärger.exe"}, "\xC4rger.exe\r\n"},
        SaveCase{"EmptyEntryIsEmptyLine", {"a.exe", ""}, "a.exe\r\n\r\n"},
        SaveCase{"CommaQuoted", {"a,b.exe", "c.exe"}, "\"a,b.exe\"\r\nc.exe\r\n"},
        SaveCase{"LeadingBlankQuoted", {" lead.exe"}, "\" lead.exe\"\r\n"},
        SaveCase{"TrailingBlankQuoted", {"trail.exe "}, "\"trail.exe \"\r\n"}),
    [](const ::testing::TestParamInfo<SaveCase>& info) { return info.param.name; });

TEST_F(KillList, FailedWriteKeepsTheSavedListAndTellsTheUser) {
  SetFile("saved.exe\r\n");
  rig.Program().KillList().LoadKillList();
  rig.files.writeErrors[kKillListPath] = "Zugriff verweigert";
  RefillCatalogue({"new.exe"});
  ClickEntry(form.Get<ui::ListBox>("List1"), 0);
  form.Get<ui::Button>("cmduebernehmen").UserClicked();
  EXPECT_EQ(ItemsOf(form.Get<ui::ListBox>("List2")), (Entries{"saved.exe", "new.exe"}));
  EXPECT_EQ(File(), "saved.exe\r\n");
  ASSERT_EQ(rig.messages.shown.size(), 1u);
  const ShownMessage& shown = rig.messages.shown[0];
  EXPECT_EQ(shown.style, services::kCritical);
  EXPECT_EQ(shown.title, forms::kNotSavedTitle);
  EXPECT_NE(shown.text.find(kKillListPath), std::string::npos);
  EXPECT_NE(shown.text.find("Zugriff verweigert"), std::string::npos);

  // Once the file can be written again, the next change saves the whole list.
  rig.files.writeErrors.clear();
  ClickEntry(form.Get<ui::ListBox>("List2"), 0);
  form.Get<ui::Button>("cmdloeschen").UserClicked();
  EXPECT_EQ(File(), "new.exe\r\n");
}

// A program holding List2.txt open for a moment is waited for, up to 500 ms
// of pauses in all; a read-only file is refused at once.
TEST_F(KillList, AReplaceRefusedForAMomentIsTriedAgain) {
  // Refused so many times; read-only; the tries and pauses it takes.
  const struct { int heldOpen, readOnly, tries, pausedMs; } cases[] = {{2, 0, 3, 100}, {1000, 0, 11, 500}, {0, 1, 1, 0}};
  for (const auto& c : cases) {
    Rig fresh;
    fresh.pause.onPause = [&fresh] { fresh.clock.Pass(fresh.pause.pauses.back()); };
    fresh.files.heldOpen[kKillListPath] = c.heldOpen;
    if (c.readOnly) fresh.files.writeErrors[kKillListPath] = "Zugriff verweigert";
    fresh.Program().KillList().SaveKillList();
    EXPECT_EQ(fresh.files.writes[kKillListPath], c.tries) << c.heldOpen;
    EXPECT_EQ(static_cast<int>(fresh.pause.pauses.size()) * 50, c.pausedMs);
    EXPECT_EQ(fresh.messages.shown.size(), c.tries == 3 ? 0u : 1u) << "only a lasting refusal is told";
  }
}

}  // namespace
}  // namespace morvex::testing
