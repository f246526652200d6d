#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

#include "contract/profile_contract.h"
#include "standins/private_profile.h"

namespace morvex::standins {
namespace {

using namespace std::string_literals;
using services::contract::ProfileContract;

INSTANTIATE_TEST_SUITE_P(StandIn, ProfileContract,
                         testing::Values(services::contract::ProfileSubject{
                             "PortableProfile",
                             [] { return std::make_unique<PortableProfile>(); }}),
                         services::contract::ProfileSubjectName);

std::string Read(std::string_view content, std::string_view section, std::string_view key) {
  char buffer[256];
  return {buffer, ReadProfileValue(content, section, key, buffer, sizeof buffer)};
}

struct ReadCase {
  const char* what;
  std::string content;
  std::string section;
  std::string key;
  std::string expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << c.what; }

class ProfileReading : public testing::TestWithParam<ReadCase> {};

TEST_P(ProfileReading, FindsTheValue) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(Read(c.content, c.section, c.key), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    StandIn, ProfileReading,
    testing::Values(
        ReadCase{"lone LF ends lines", "[A]\nx=1\n[B]\nz=3\n", "B", "z", "3"},
        ReadCase{"lone CR ends lines", "[A]\rx=1\r[B]\rz=3\r", "B", "z", "3"},
        ReadCase{"LF CR is two line ends", "[A]\n\rx=1", "A", "x", "1"},
        ReadCase{"byte-order mark skipped", "\xEF\xBB\xBF[A]\r\nx=1\r\n", "A", "x", "1"},
        ReadCase{"last line without line end", "[A]\r\nx=1", "A", "x", "1"},
        ReadCase{"header with blanks and note", "\t[ Sec ] ; note\r\nk=v\r\n", "Sec", "k", "v"},
        ReadCase{"header name up to last bracket", "[C]]\r\nq=5\r\n", "C]", "q", "5"},
        ReadCase{"unclosed bracket is no header", "[A]\r\n[B\r\nz=3\r\n", "A", "z", "3"},
        ReadCase{"semicolon starts no comment", "[A]\r\n;x=1\r\n", "A", ";x", "1"},
        ReadCase{"line without equals is no key", "[A]\r\nnoequals\r\n", "A", "noequals", ""},
        ReadCase{"first of twin keys", "[A]\r\nx=1\r\nx=2\r\n", "A", "x", "1"},
        ReadCase{"first of twin sections only", "[A]\r\nx=1\r\n[a]\r\ny=4\r\n", "A", "y", ""},
        ReadCase{"NUL ends a value", "[A]\r\nx=1\0zz\r\n"s, "A", "x", "1"},
        ReadCase{"NUL ends a key", "[A]\r\nk\0k=3\r\n"s, "A", "k", "3"},
        ReadCase{"NUL ends a section name", "[B\0C]\r\nz=3\r\n"s, "B", "z", "3"},
        ReadCase{"NUL ends a query", "[A]\r\nx=1\r\n", "A\0B"s, "x\0y"s, "1"},
        ReadCase{"lines before any header", "x=0\r\n[A]\r\nx=1\r\n", "", "x", "0"},
        ReadCase{"empty header after those lines", "[A]\r\n[]\r\ne=4\r\n", "", "e", ""},
        ReadCase{"umlauts not folded", "[\xC4rger]\r\nk=1\r\n", "\xE4rger", "k", ""},
        ReadCase{"ASCII folded beside umlauts", "[\xC4rger]\r\n\xFC\x62=1\r\n", "\xC4RGER",
                 "\xFC\x42", "1"},
        ReadCase{"empty key name", "[A]\r\n=noname\r\n", "A", "", "noname"},
        ReadCase{"all blanks trimmed", "[A]\r\nx=\v\f 1\t\v\f\r\n", "A", "x", "1"},
        ReadCase{"query trimmed", "[A]\r\nx=1\r\n", " A\t", " x ", "1"},
        ReadCase{"lone quote kept", "[A]\r\nx=\"\r\n", "A", "x", "\""},
        ReadCase{"only the outer quotes go", "[A]\r\nx=\"\"\"\r\n", "A", "x", "\""},
        ReadCase{"nothing at all", "", "A", "x", ""}));

struct WriteCase {
  const char* what;
  std::string before;
  std::string section;
  std::string key;
  std::string value;
  std::string after;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.what; }

class ProfileWriting : public testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWriting, ChangesOnlyWhatItMust) {
  const WriteCase& c = GetParam();
  const std::string after = WriteProfileValue(c.before, c.section, c.key, c.value);
  EXPECT_EQ(after, c.after);
  // What was written reads back as the same value in any other file.
  const std::string alone = "[S]\r\nk=" + c.value.substr(0, c.value.find('\0'));
  EXPECT_EQ(Read(after, c.section, c.key), Read(alone, "S", "k"));
}

INSTANTIATE_TEST_SUITE_P(
    StandIn, ProfileWriting,
    testing::Values(
        WriteCase{"new key before blank lines", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "A", "z", "3",
                  "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n"},
        WriteCase{"new key after lines that are no keys",
                  "[A]\r\nx=1\r\n; note\r\nnote\r\n\r\n[B]\r\n", "A", "z", "3",
                  "[A]\r\nx=1\r\n; note\r\nnote\r\nz=3\r\n\r\n[B]\r\n"},
        WriteCase{"new key under a bare header", "[A]\r\n[B]\r\n", "A", "x", "1",
                  "[A]\r\nx=1\r\n[B]\r\n"},
        WriteCase{"new key before trailing blank lines", "[A]\r\nx=1\r\n\r\n\r\n", "A", "y", "2",
                  "[A]\r\nx=1\r\ny=2\r\n\r\n\r\n"},
        WriteCase{"other line ends kept", "[A]\nx=1\n[B]\ny=2\n", "A", "z", "3",
                  "[A]\nx=1\nz=3\r\n[B]\ny=2\n"},
        WriteCase{"replaced line keeps its line end", "[A]\nx=1\n[B]\ny=2\n", "A", "x", "9",
                  "[A]\nx=9\n[B]\ny=2\n"},
        WriteCase{"new key after lone CR", "[A]\rx=1\r[B]\r", "A", "y", "2",
                  "[A]\rx=1\ry=2\r\n[B]\r"},
        WriteCase{"new key ends the unfinished last line", "[A]\r\nx=1", "A", "y", "2",
                  "[A]\r\nx=1\r\ny=2\r\n"},
        WriteCase{"new section ends the unfinished last line", "[A]\r\nx=1", "B", "y", "2",
                  "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
        WriteCase{"unfinished last line replaced", "[A]\r\nx=1", "A", "x", "2", "[A]\r\nx=2"},
        WriteCase{"empty file", "", "Form1", "k", "v", "[Form1]\r\nk=v\r\n"},
        WriteCase{"only a byte-order mark", "\xEF\xBB\xBF", "Form1", "k", "v",
                  "\xEF\xBB\xBF[Form1]\r\nk=v\r\n"},
        WriteCase{"byte-order mark kept", "\xEF\xBB\xBF[A]\r\nx=1\r\n", "A", "x", "2",
                  "\xEF\xBB\xBF[A]\r\nx=2\r\n"},
        WriteCase{"key keeps its spelling", "[A]\r\n  Key = old  \r\n", "a", "KEY", "new",
                  "[A]\r\nKey=new\r\n"},
        WriteCase{"value written as given", "", "A", " k ", "  v  ", "[A]\r\nk=  v  \r\n"},
        WriteCase{"NUL ends the strings", "", "A\0B"s, "k\0x"s, "a\0b"s, "[A]\r\nk=a\r\n"},
        WriteCase{"first of twin sections", "[A]\r\nx=1\r\n[a]\r\ny=4\r\n", "A", "y", "8",
                  "[A]\r\nx=1\r\ny=8\r\n[a]\r\ny=4\r\n"},
        WriteCase{"first of twin keys", "[A]\r\nx=1\r\nx=2\r\n", "A", "x", "8",
                  "[A]\r\nx=8\r\nx=2\r\n"},
        WriteCase{"nameless section", "[A]\r\nx=1\r\n", "", "k", "v", "k=v\r\n[A]\r\nx=1\r\n"}));

TEST(PortableProfile, RefusesBuffersWithoutRoom) {
  PortableProfile profile;
  char buffer[1] = {'#'};
  EXPECT_EQ(profile.GetString("A", "x", buffer, 0, "/nonexistent/config.ini"), 0u);
  EXPECT_EQ(buffer[0], '#');
  EXPECT_EQ(profile.GetString("A", "x", nullptr, 10, "/nonexistent/config.ini"), 0u);
}

TEST(PortableProfile, WriteOntoAFolderFails) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path();
  PortableProfile profile;
  EXPECT_FALSE(profile.WriteString("A", "x", "1", folder.string()).ok);
}

}  // namespace
}  // namespace morvex::standins
