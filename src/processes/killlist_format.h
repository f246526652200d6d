// The byte format of the kill-list file List2.txt.
//
// The file is kept in the system's ANSI code page. A file edited in Notepad
// may come in UTF-8 or UTF-16 instead; DecodeKillListFile finds out which and
// gives the fields' text in one of two forms, ANSI bytes or UTF-8, both of
// which the fields below are read from: every byte that separates fields is
// ASCII, which no multi-byte sequence of either holds. Conversion from ANSI to
// the display text happens elsewhere.
//
// The file is comma-separated fields on CR LF lines. ReadField takes one field:
//
//  1. Blanks before the field are skipped. A blank is a space or a tab.
//  2. A field that starts with a double quote holds every byte up to the next
//     double quote; commas and blanks belong to it, the quotes do not. The
//     bytes after the closing quote up to the next comma or line end are
//     dropped.
//  3. Any other field runs up to the next comma or line end.
//  4. The comma or line end that ends the field is consumed.
//  5. An empty line, or nothing between two commas, is an empty field.
//  6. The end of the data ends a field as well; the last line may lack its
//     line end.
//
// How the finer points are settled:
//  - Line ends: CR LF, a lone CR and a lone LF each end a line; CR LF counts
//    once. (LF CR is two line ends.)
//  - A quoted field never spans a line end. A quote that is not closed on its
//    line makes the field run to the line end (or the end of the data), so one
//    stray quote cannot swallow the rest of the file.
//  - Blanks at the end of an unquoted field are kept. A name saved unquoted
//    with trailing blanks by an older version thus loads unchanged, and a
//    field never silently becomes a different name.
//  - A double quote that is not the first character of a field is an ordinary
//    character ("ab\"c" reads as ab"c).
//  - A line that ends in a comma: the comma ends its field and the empty rest
//    of the line gives one more, empty field ("a," CR LF reads as a, "").
//    A comma directly before the end of the data adds nothing: nothing
//    follows it.
//  - Any other byte, NUL and 0x80..0xFF included, is an ordinary character.
//
// Every field owns at least one byte of the data (a content byte, a blank, a
// quote or its terminator), so ReadField always advances while !AtEnd() and a
// loop "while (!AtEnd()) ReadField()" ends after at most bytes.size() fields.
// Reading is linear in the size of the data.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace morvex::processes {

// How a kill-list file is encoded.
enum class KillListEncoding {
    kAnsi,         // the system's ANSI code page: any file none of the others fits
    kUtf8,         // no byte-order mark; valid UTF-8 with at least one multi-byte sequence
    kUtf8WithBom,  // EF BB BF first
    kUtf16Le,      // FF FE first
    kUtf16Be,      // FE FF first
};

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

struct DecodedKillList {
    KillListEncoding encoding = KillListEncoding::kAnsi;
    // The content without its byte-order mark: the bytes as they are for
    // kAnsi, UTF-8 for the others (what is not valid there becomes U+FFFD).
    std::string text;
};

DecodedKillList DecodeKillListFile(std::string_view bytes);

class KillListReader {
public:
    // The reader refers to `bytes`; they must outlive it.
    explicit KillListReader(std::string_view bytes);

    bool AtEnd() const;

    // Reads the next field. Returns the empty text when AtEnd().
    std::string ReadField();

private:
    void ConsumeFieldEnd();

    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// All fields of the data, in order: what loading the file appends to the list.
std::vector<std::string> ParseKillList(std::string_view bytes);

// True when SerializeKillList can write `entry` so that it reads back
// unchanged. False exactly for an entry that holds a CR or LF, starts with a
// double quote, or holds a double quote and also a comma or a leading blank
// (the format has no escape for a quote inside quotes). None of these can be
// an image name (Windows forbids quotes and control characters in file
// names), and ParseKillList never yields one.
bool IsKillListRepresentable(std::string_view entry);

// The file content for `entries`: each entry followed by CR LF; no entries
// give no bytes. An entry that holds a comma, or starts or ends with a blank,
// is enclosed in double quotes; every other entry is written as it is.
// An entry that cannot be represented (see IsKillListRepresentable) is left
// out: written as it is it would read back as other names, possibly names of
// real programs, while no process can match it anyway.
std::string SerializeKillList(const std::vector<std::string>& entries);

}  // namespace morvex::processes
