#include "contract/profile_contract.h"

#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <system_error>
#include <vector>

namespace morvex::services::contract {
namespace {

using namespace std::string_literals;

// A case gets a file of its own, so no implementation can answer from a
// cached copy of an earlier case.
std::string CaseFile(std::size_t index) { return "case" + std::to_string(index) + ".ini"; }

std::vector<std::string> NonBlankLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    if (line.find_first_not_of(" \t") != std::string::npos) {
      lines.push_back(line);
    }
  }
  return lines;
}

// Letters cycling through the alphabet, so a cut shows where it happened.
std::string Alphabet(std::size_t length) {
  std::string text;
  for (std::size_t i = 0; i < length; ++i) {
    text.push_back(static_cast<char>('a' + i % 26));
  }
  return text;
}

}  // namespace

void PrintTo(const ProfileSubject& subject, std::ostream* os) { *os << subject.name; }

std::string Utf8Path(const std::filesystem::path& path) {
  std::string text;
  for (const char8_t c : path.u8string()) {
    text.push_back(static_cast<char>(c));
  }
  return text;
}

std::string ProfileSubjectName(const testing::TestParamInfo<ProfileSubject>& info) {
  return info.param.name;
}

void ProfileContract::SetUp() {
  profile_ = GetParam().make();
  std::random_device random;
  std::ostringstream name;
  name << "morvex-profile-" << std::hex << random() << random();
  folder_ = std::filesystem::temp_directory_path() / name.str();
  std::filesystem::create_directories(folder_);
}

void ProfileContract::TearDown() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

std::string ProfileContract::PathOf(const std::string& name) const {
  return Utf8Path(folder_ / name);
}

void ProfileContract::Seed(const std::string& name, const std::string& bytes) const {
  std::ofstream out(folder_ / name, std::ios::binary);
  out << bytes;
  ASSERT_TRUE(out.good()) << name;
}

std::string ProfileContract::Contents(const std::string& name) const {
  std::ifstream in(folder_ / name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool ProfileContract::Exists(const std::string& name) const {
  return std::filesystem::exists(folder_ / name);
}

std::string ProfileContract::Get(const std::string& section, const std::string& key,
                                 const std::string& name, std::size_t size) {
  std::vector<char> buffer(size + 1, '#');
  const std::size_t count = profile_->GetString(section, key, buffer.data(), size, PathOf(name));
  EXPECT_LT(count, size);
  if (count >= size) {
    return {};
  }
  EXPECT_EQ(buffer[count], '\0') << "value not terminated";
  EXPECT_EQ(buffer[size], '#') << "wrote past the buffer";
  return {buffer.data(), count};
}

bool ProfileContract::Put(const std::string& section, const std::string& key,
                          const std::string& value, const std::string& name) {
  return profile_->WriteString(section, key, value, PathOf(name)).ok;
}

TEST_P(ProfileContract, FirstSaveCreatesFileWithSectionHeaderFirst) {
  ASSERT_TRUE(Put("Form1", "txtSekunde", "10", "config.ini"));
  EXPECT_EQ(Contents("config.ini"), "[Form1]\r\ntxtSekunde=10\r\n");
  EXPECT_EQ(Get("Form1", "txtSekunde", "config.ini"), "10");
}

TEST_P(ProfileContract, NamesMatchWithoutRegardToLetterCase) {
  struct Case {
    const char* fileSection;
    const char* fileKey;
    const char* section;
    const char* key;
  };
  const Case cases[] = {
      {"Form1", "txtSekunde", "Form1", "txtSekunde"},
      {"Form1", "txtSekunde", "FORM1", "TXTSEKUNDE"},
      {"Form1", "txtSekunde", "form1", "txtsekunde"},
      {"FORM1", "OPTONLEFTCLICK(0)", "Form1", "optOnLeftClick(0)"},
      {"fOrM1", "list3", "FoRm1", "LIST3"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE("["s + c.section + "] " + c.key);
    Seed(CaseFile(i), "["s + c.fileSection + "]\r\n" + c.fileKey + "=7\r\n");
    EXPECT_EQ(Get(c.section, c.key, CaseFile(i)), "7");
  }
}

TEST_P(ProfileContract, WriteInOtherLetterCaseReplacesTheKey) {
  Seed("config.ini", "[FORM1]\r\nTXTSEKUNDE=10\r\nList3=0\r\n");
  ASSERT_TRUE(Put("Form1", "txtSekunde", "20", "config.ini"));
  const std::vector<std::string> lines = NonBlankLines(Contents("config.ini"));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "[FORM1]");
  EXPECT_EQ(Get("form1", "TxtSekunde", "config.ini"), "20");
  EXPECT_EQ(lines[2], "List3=0");
}

TEST_P(ProfileContract, MissingFileSectionOrKeyGivesNothing) {
  struct Case {
    const char* what;
    const char* content;  // no file when null
    const char* section;
    const char* key;
  };
  const Case cases[] = {
      {"no file", nullptr, "Form1", "txtSekunde"},
      {"no section", "[Other]\r\ntxtSekunde=10\r\n", "Form1", "txtSekunde"},
      {"no key", "[Form1]\r\ntxtMinute=10\r\n", "Form1", "txtSekunde"},
      {"key in next section", "[Form1]\r\na=1\r\n[Other]\r\ntxtSekunde=10\r\n", "Form1",
       "txtSekunde"},
      {"section name is longer", "[Form1]\r\ntxtSekunde=10\r\n", "Form", "txtSekunde"},
      {"key name is longer", "[Form1]\r\ntxtSekunde=10\r\n", "Form1", "txtSek"},
      {"key name is shorter", "[Form1]\r\ntxtSekunde=10\r\n", "Form1", "txtSekunde2"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.what);
    if (c.content != nullptr) {
      Seed(CaseFile(i), c.content);
    }
    EXPECT_EQ(Get(c.section, c.key, CaseFile(i)), "");
    EXPECT_EQ(Exists(CaseFile(i)), c.content != nullptr) << "reading must not create the file";
  }
}

TEST_P(ProfileContract, EmptyValueGivesNothing) {
  const char* const lines[] = {"x=", "x=   ", "x=\"\"", "x=''"};
  for (std::size_t i = 0; i < std::size(lines); ++i) {
    SCOPED_TRACE(lines[i]);
    Seed(CaseFile(i), "[Form1]\r\n"s + lines[i] + "\r\ny=1\r\n");
    EXPECT_EQ(Get("Form1", "x", CaseFile(i)), "");
  }
  ASSERT_TRUE(Put("Form1", "Text1", "", "written.ini"));
  EXPECT_EQ(Get("Form1", "Text1", "written.ini"), "");
}

TEST_P(ProfileContract, ValuesComeBackWithoutSurroundingBlanksAndQuotes) {
  struct Case {
    std::string stored;
    std::string read;
  };
  const Case cases[] = {
      {"-1", "-1"},
      {"Zeile~|~Zeile", "Zeile~|~Zeile"},
      {"Gr\xFC\xDF\x65 \x80", "Gr\xFC\xDF\x65 \x80"},
      {"a=b", "a=b"},
      {"  padded  ", "padded"},
      {"\tTab\t", "Tab"},
      {"\"quoted\"", "quoted"},
      {"'single'", "single"},
      {"\"open", "\"open"},
      {"a\"b\"", "a\"b\""},
      {"\"mixed'", "\"mixed'"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.stored);
    Seed(CaseFile(i), "[Form1]\r\nText1=" + c.stored + "\r\n");
    EXPECT_EQ(Get("Form1", "Text1", CaseFile(i)), c.read) << "from the file";
    std::string written = CaseFile(i);
    written.insert(written.begin(), 'w');
    ASSERT_TRUE(Put("Form1", "Text1", c.stored, written));
    EXPECT_EQ(Get("Form1", "Text1", written), c.read) << "as written";
  }
  Seed("spaced.ini", "[ Form1 ]\r\n  txtSekunde  =  10  \r\n");
  EXPECT_EQ(Get("Form1", "txtSekunde", "spaced.ini"), "10");
}

TEST_P(ProfileContract, LongValuesAreCutToOneLessThanTheBuffer) {
  struct Case {
    std::size_t length;
    std::size_t size;
    std::size_t expected;
  };
  const Case cases[] = {
      {300, 256, 255}, {256, 256, 255}, {255, 256, 255}, {254, 256, 254},
      {3, 3, 2},       {3, 1, 0},       {1, 2, 1},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(std::to_string(c.length) + " into " + std::to_string(c.size));
    ASSERT_TRUE(Put("Form1", "Text1", Alphabet(c.length), CaseFile(i)));
    EXPECT_EQ(Get("Form1", "Text1", CaseFile(i), c.size), Alphabet(c.expected));
  }
}

TEST_P(ProfileContract, ExistingKeyIsReplacedOnItsOwnLine) {
  const std::string lines[] = {"[Form1]", "txtTargetTitle=Editor", "txtSekunde=10", "List3=0",
                               "[Other]", "txtSekunde=99"};
  // The first key, one in the middle, and the last before another section.
  const std::size_t replaced[] = {1, 2, 3};
  for (std::size_t i = 0; i < std::size(replaced); ++i) {
    const std::string& line = lines[replaced[i]];
    const std::string key = line.substr(0, line.find('='));
    SCOPED_TRACE(key);
    std::string before;
    std::string after;
    for (std::size_t n = 0; n < std::size(lines); ++n) {
      before += lines[n] + "\r\n";
      after += (n == replaced[i] ? key + "=new" : lines[n]) + "\r\n";
    }
    Seed(CaseFile(i), before);
    ASSERT_TRUE(Put("Form1", key, "new", CaseFile(i)));
    EXPECT_EQ(Contents(CaseFile(i)), after);
    EXPECT_EQ(Get("Form1", key, CaseFile(i)), "new");
  }
}

TEST_P(ProfileContract, NewKeysGoToTheEndOfTheirSectionInOrder) {
  Seed("config.ini", "[Form1]\r\ntxtSekunde=10\r\n[Other]\r\nkeep=1\r\n");
  ASSERT_TRUE(Put("Form1", "chkSound", "1", "config.ini"));
  ASSERT_TRUE(Put("Form1", "Check2", "0", "config.ini"));
  EXPECT_EQ(Contents("config.ini"),
            "[Form1]\r\ntxtSekunde=10\r\nchkSound=1\r\nCheck2=0\r\n[Other]\r\nkeep=1\r\n");

  // Blank lines between sections are the platform's business; the order is not.
  Seed("spaced.ini", "[Form1]\r\ntxtSekunde=10\r\n\r\n[Other]\r\nkeep=1\r\n\r\n");
  ASSERT_TRUE(Put("Form1", "chkSound", "1", "spaced.ini"));
  const std::vector<std::string> expected = {"[Form1]", "txtSekunde=10", "chkSound=1", "[Other]",
                                             "keep=1"};
  EXPECT_EQ(NonBlankLines(Contents("spaced.ini")), expected);
}

TEST_P(ProfileContract, NewSectionGoesToTheEndOfTheFile) {
  Seed("config.ini", "[Other]\r\nkeep=1\r\n");
  ASSERT_TRUE(Put("Form1", "txtSekunde", "10", "config.ini"));
  const std::vector<std::string> expected = {"[Other]", "keep=1", "[Form1]", "txtSekunde=10"};
  EXPECT_EQ(NonBlankLines(Contents("config.ini")), expected);
}

TEST_P(ProfileContract, ForeignSectionsAndKeysAreKept) {
  Seed("config.ini",
       "; by hand\r\n[Before]\r\nb=1\r\n[Form1]\r\ntxtSekunde=10\r\nforeign=keep me\r\n"
       "List3=0\r\n[After]\r\nA1=x\r\n");
  ASSERT_TRUE(Put("Form1", "txtSekunde", "20", "config.ini"));
  ASSERT_TRUE(Put("Form1", "List3", "-1", "config.ini"));
  ASSERT_TRUE(Put("Form1", "Check1", "1", "config.ini"));
  EXPECT_EQ(Contents("config.ini"),
            "; by hand\r\n[Before]\r\nb=1\r\n[Form1]\r\ntxtSekunde=20\r\nforeign=keep me\r\n"
            "List3=-1\r\nCheck1=1\r\n[After]\r\nA1=x\r\n");
  EXPECT_EQ(Get("Before", "b", "config.ini"), "1");
  EXPECT_EQ(Get("Form1", "foreign", "config.ini"), "keep me");
  EXPECT_EQ(Get("After", "A1", "config.ini"), "x");
}

TEST_P(ProfileContract, WrittenFileHasCrLfLineEnds) {
  ASSERT_TRUE(Put("Form1", "txtSekunde", "10", "config.ini"));
  ASSERT_TRUE(Put("Form1", "List3", "-1", "config.ini"));
  ASSERT_TRUE(Put("Other", "x", "1", "config.ini"));
  ASSERT_TRUE(Put("Form1", "txtSekunde", "20", "config.ini"));
  const std::string bytes = Contents("config.ini");
  ASSERT_GE(bytes.size(), 2u);
  EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == '\n') {
      EXPECT_TRUE(i > 0 && bytes[i - 1] == '\r') << "lone LF at " << i;
    } else if (bytes[i] == '\r') {
      EXPECT_TRUE(i + 1 < bytes.size() && bytes[i + 1] == '\n') << "lone CR at " << i;
    }
  }
  EXPECT_EQ(NonBlankLines(bytes),
            (std::vector<std::string>{"[Form1]", "txtSekunde=20", "List3=-1", "[Other]", "x=1"}));
}

TEST_P(ProfileContract, WriteIntoMissingFolderFailsWithAReason) {
  const FileResult result = profile_->WriteString("Form1", "txtSekunde", "10", PathOf("missing/config.ini"));
  EXPECT_FALSE(result.ok);
  EXPECT_FALSE(result.error.empty());
  EXPECT_FALSE(Exists("missing"));
}

}  // namespace morvex::services::contract

namespace morvex::services::contract {

// Only the key's own line goes; a key that is not there changes nothing.
TEST_P(ProfileContract, DeletingAKeyRemovesItsLineAlone) {
  const std::string before = "[Form1]\r\nCombo2=-1\r\nCombo2.Text=01\r\nCheck1=0\r\n[Other]\r\nCombo2.Text=x\r\n";
  Seed("config.ini", before);
  EXPECT_TRUE(profile_->DeleteKey("Form1", "combo2.text", PathOf("config.ini")).ok);
  EXPECT_EQ(Contents("config.ini"), "[Form1]\r\nCombo2=-1\r\nCheck1=0\r\n[Other]\r\nCombo2.Text=x\r\n");
  EXPECT_TRUE(profile_->DeleteKey("Form1", "Combo2.Text", PathOf("config.ini")).ok);
  EXPECT_EQ(Contents("config.ini"), "[Form1]\r\nCombo2=-1\r\nCheck1=0\r\n[Other]\r\nCombo2.Text=x\r\n");
}

}  // namespace morvex::services::contract
