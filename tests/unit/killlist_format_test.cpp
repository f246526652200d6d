#include "processes/killlist_format.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace morvex::processes {
namespace {

using Entries = std::vector<std::string>;
using namespace std::string_literals;

struct ParseCase {
    const char* name;
    std::string bytes;
    Entries entries;
};

void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class ParseKillListTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseKillListTest, ReadsFields) {
    EXPECT_EQ(ParseKillList(GetParam().bytes), GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(
    KillListFile, ParseKillListTest,
    testing::Values(
        ParseCase{"OneName", "notepad.exe\r\n", {"notepad.exe"}},
        ParseCase{"CommaSplitsLine", "a.exe,b.exe\r\n", {"a.exe", "b.exe"}},
        ParseCase{"LeadingBlanksSkipped", "  calc.exe\r\n", {"calc.exe"}},
        ParseCase{"LeadingTabSkipped", "\t calc.exe\r\n", {"calc.exe"}},
        ParseCase{"EmptyLineIsEmptyEntry", "a.exe\r\n\r\nb.exe\r\n", {"a.exe", "", "b.exe"}},
        ParseCase{"QuotedCommaKept", "\"a.exe,b.exe\"\r\n", {"a.exe,b.exe"}},
        ParseCase{"DuplicatesStay", "x.exe\r\nx.exe\r\n", {"x.exe", "x.exe"}},
        ParseCase{"EmptyData", "", {}},
        ParseCase{"NothingBetweenCommas", "a,,b\r\n", {"a", "", "b"}},
        ParseCase{"OnlyAComma", ",\r\n", {"", ""}},
        ParseCase{"TrailingBlanksKept", "calc.exe  \r\nb ,c\r\n", {"calc.exe  ", "b ", "c"}},
        ParseCase{"InnerQuoteLiteral", "ab\"c\"d\r\n", {"ab\"c\"d"}},
        ParseCase{"LineEndingInCommaAddsEmpty", "a,\r\nb\r\n", {"a", "", "b"}},
        ParseCase{"CommaAtEndOfDataAddsNothing", "a,", {"a"}},
        ParseCase{"LoneCrAndLfEndLines", "a\rb\nc\r\nd", {"a", "b", "c", "d"}},
        ParseCase{"LfCrIsTwoLineEnds", "a\n\rb", {"a", "", "b"}},
        ParseCase{"BareLineEnds", "\r\r\n\n", {"", "", ""}},
        ParseCase{"QuoteClosedByLineEnd", "\"ab,c\r\nd\r\n", {"ab,c", "d"}},
        ParseCase{"QuoteClosedByEndOfData", "\"ab, c", {"ab, c"}},
        ParseCase{"RestAfterQuoteDropped", "\"a\"x\"y,b\r\n", {"a", "b"}},
        ParseCase{"BlanksAroundQuotedField", "  \" a b \"  ,c", {" a b ", "c"}},
        ParseCase{"EmptyQuotes", "\"\"\r\n\"\",x", {"", "", "x"}},
        ParseCase{"OnlyBlanks", "   ", {""}},
        ParseCase{"NoFinalLineEnd", "a.exe\r\nb.exe", {"a.exe", "b.exe"}},
        ParseCase{"NulBytes", "a\0b\r\n\0\r\n\0"s, {"a\0b"s, "\0"s, "\0"s}},
        ParseCase{"HighBytes", "\xFF\xFE,\"\xE4\x80\"\r\n\xFF", {"\xFF\xFE", "\xE4\x80", "\xFF"}}),
    [](const testing::TestParamInfo<ParseCase>& info) { return info.param.name; });

TEST(KillListReaderTest, ReadingPastTheEndGivesEmptyFields) {
    KillListReader reader("a");
    EXPECT_EQ(reader.ReadField(), "a");
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_EQ(reader.ReadField(), "");
    EXPECT_TRUE(reader.AtEnd());
}

TEST(KillListFileEncoding, IsFoundAndDecodedToUtf8) {
    using E = KillListEncoding;
    struct Case {
        const char* name;
        std::string bytes;
        E encoding;
        std::string text;
    };
    const Case cases[] = {
        {"ascii is ansi", "a.exe\r\n", E::kAnsi, "a.exe\r\n"},
        {"two-byte sequence", "f\xC3\xBCr", E::kUtf8, "f\xC3\xBCr"},
        {"four-byte sequence", "\xF0\x9F\x98\x80", E::kUtf8, "\xF0\x9F\x98\x80"},
        {"cut sequence is ansi", "f\xC3", E::kAnsi, "f\xC3"},
        {"overlong form is ansi", "\xC0\xAF\xC3\xBC", E::kAnsi, "\xC0\xAF\xC3\xBC"},
        {"surrogate is ansi", "\xED\xA0\x80", E::kAnsi, "\xED\xA0\x80"},
        {"above U+10FFFF is ansi", "\xF4\x90\x80\x80", E::kAnsi, "\xF4\x90\x80\x80"},
        {"bom", "\xEF\xBB\xBF" "a\xFF", E::kUtf8WithBom, "a\xEF\xBF\xBD"},
        {"utf-16 le", "\xFF\xFE" "a\0\xFC\0\x3D\xD8\x00\xDE"s, E::kUtf16Le, "a\xC3\xBC\xF0\x9F\x98\x80"},
        {"utf-16 be", "\xFE\xFF" "\0a\0,"s, E::kUtf16Be, "a,"},
        {"lone surrogate and odd byte", "\xFF\xFE" "\x00\xDC" "a\0b"s, E::kUtf16Le, "\xEF\xBF\xBD" "a\xEF\xBF\xBD"},
        {"only a bom", "\xFF\xFE", E::kUtf16Le, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DecodedKillList decoded = DecodeKillListFile(c.bytes);
        EXPECT_EQ(decoded.encoding, c.encoding);
        EXPECT_EQ(decoded.text, c.text);
    }
}

struct WriteCase {
    const char* name;
    Entries entries;
    std::string bytes;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.name; }

class SerializeKillListTest : public testing::TestWithParam<WriteCase> {};

TEST_P(SerializeKillListTest, WritesExactBytes) {
    EXPECT_EQ(SerializeKillList(GetParam().entries), GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(
    KillListFile, SerializeKillListTest,
    testing::Values(
        WriteCase{"TwoNamesAre14Bytes", {"a.exe", "b.exe"}, "a.exe\r\nb.exe\r\n"},
        WriteCase{"EmptyListIsNoBytes", {}, ""},
        WriteCase{"EmptyEntryIsEmptyLine", {""}, "\r\n"},
        WriteCase{"PlainNamesUnquoted", {"my app.exe", "ab\"c", "\xE4rger.exe"},
                  "my app.exe\r\nab\"c\r\n\xE4rger.exe\r\n"},
        WriteCase{"CommaQuoted", {"a.exe,b.exe"}, "\"a.exe,b.exe\"\r\n"},
        WriteCase{"LeadingBlankQuoted", {" calc.exe", "\tx"}, "\" calc.exe\"\r\n\"\tx\"\r\n"},
        WriteCase{"TrailingBlankQuoted", {"calc.exe "}, "\"calc.exe \"\r\n"},
        WriteCase{"QuoteAndTrailingBlankStayPlain", {"ab\" "}, "ab\" \r\n"},
        WriteCase{"UnrepresentableLeftOut",
                  {"a", "x\r\ny", "l\nf", "\"q", "a\"b,c", " \"", "b"}, "a\r\nb\r\n"}),
    [](const testing::TestParamInfo<WriteCase>& info) { return info.param.name; });

// Every string of up to `max_length` characters from `alphabet`.
std::vector<std::string> AllStrings(const std::string& alphabet, std::size_t max_length) {
    std::vector<std::string> all{""};
    for (std::size_t begin = 0, length = 0; length < max_length; ++length) {
        const std::size_t end = all.size();
        for (std::size_t i = begin; i < end; ++i) {
            for (char c : alphabet) {
                all.push_back(all[i] + c);
            }
        }
        begin = end;
    }
    return all;
}

// Every name that can be written reads back unchanged between neighbours; a
// name that is left out could not have been written in either form.
TEST(KillListRoundTripTest, EveryRepresentableNameReadsBackUnchanged) {
    for (const std::string& name : AllStrings("a \t,\"\r\n\0"s, 4)) {
        SCOPED_TRACE(testing::PrintToString(name));
        const Entries written{"x", name, "y"};
        if (IsKillListRepresentable(name)) {
            EXPECT_EQ(ParseKillList(SerializeKillList(written)), written);
        } else {
            EXPECT_EQ(ParseKillList(SerializeKillList(written)), (Entries{"x", "y"}));
            EXPECT_NE(ParseKillList(name + "\r\n"), Entries{name});
            EXPECT_NE(ParseKillList("\"" + name + "\"\r\n"), Entries{name});
        }
    }
}

// Any data: every field owns at least one byte, every field read can be
// written, and writing what was read reads back the same list.
TEST(KillListRoundTripTest, AnyDataReadsBackAfterRewriting) {
    for (const std::string& bytes : AllStrings("a ,\"\r\n\0"s, 5)) {
        SCOPED_TRACE(testing::PrintToString(bytes));
        const Entries entries = ParseKillList(bytes);
        EXPECT_LE(entries.size(), bytes.size());
        for (const std::string& entry : entries) {
            EXPECT_TRUE(IsKillListRepresentable(entry));
        }
        EXPECT_EQ(ParseKillList(SerializeKillList(entries)), entries);
    }
}

}  // namespace
}  // namespace morvex::processes
