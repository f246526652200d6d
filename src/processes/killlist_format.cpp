#include "processes/killlist_format.h"

#include "services/utf8.h"

namespace morvex::processes {

namespace {

constexpr char kQuote = '"';
constexpr char kComma = ',';
constexpr char kCr = '\r';
constexpr char kLf = '\n';
constexpr std::string_view kLineEnd = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == kCr || c == kLf; }
bool EndsField(char c) { return c == kComma || IsLineEnd(c); }

enum class EntryForm { kPlain, kQuoted, kUnrepresentable };

// How an entry has to be written to read back unchanged. Written plain, the
// reader would drop leading blanks, split at commas and take a leading quote
// as the start of a quoted field; quoted, the first quote inside the entry
// would end it. Entries with trailing blanks are quoted although they read
// back plain too, so that readers which trim fields keep them as well.
EntryForm FormOf(std::string_view entry) {
    if (entry.find_first_of(kLineEnd) != std::string_view::npos) {
        return EntryForm::kUnrepresentable;
    }
    const bool has_quote = entry.find(kQuote) != std::string_view::npos;
    const bool reads_back_plain =
        entry.find(kComma) == std::string_view::npos &&
        (entry.empty() || (!IsBlank(entry.front()) && entry.front() != kQuote));
    const bool wants_quotes =
        !reads_back_plain || (!entry.empty() && IsBlank(entry.back()));
    if (wants_quotes && !has_quote) {
        return EntryForm::kQuoted;
    }
    return reads_back_plain ? EntryForm::kPlain : EntryForm::kUnrepresentable;
}

// The length of the valid UTF-8 sequence at bytes[i], 0 when there is none:
// no overlong form, no surrogate, nothing above U+10FFFF.
std::size_t Utf8SequenceAt(std::string_view bytes, std::size_t i) {
    const auto at = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char b0 = at(i);
    if (b0 < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;  // the range of the second byte
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        length = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        length = 3;
        if (b0 == 0xE0) low = 0xA0;
        if (b0 == 0xED) high = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        length = 4;
        if (b0 == 0xF0) low = 0x90;
        if (b0 == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > bytes.size() || at(i + 1) < low || at(i + 1) > high) {
        return 0;
    }
    for (std::size_t k = 2; k < length; ++k) {
        if ((at(i + k) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// UTF-8 as it is, every byte that starts no valid sequence replaced.
std::string ValidUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = Utf8SequenceAt(bytes, i);
        if (length == 0) {
            out += kReplacement;
            ++i;
        } else {
            out.append(bytes.substr(i, length));
            i += length;
        }
    }
    return out;
}

// UTF-16 in UTF-8; a lone surrogate and an odd last byte become U+FFFD.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian) {
    const auto unit = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    std::string out;
    out.reserve(bytes.size());
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char32_t u = unit(i);
        if (u >= 0xD800 && u <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t next = unit(i + 2);
            if (next >= 0xDC00 && next <= 0xDFFF) {
                services::AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (next - 0xDC00));
                i += 2;
                continue;
            }
        }
        if (u >= 0xD800 && u <= 0xDFFF) {
            out += kReplacement;
        } else {
            services::AppendUtf8(out, u);
        }
    }
    if (i < bytes.size()) {
        out += kReplacement;
    }
    return out;
}

// Valid UTF-8 that holds at least one multi-byte sequence: pure ASCII is
// left to the ANSI reading, which gives the same text.
bool LooksLikeUtf8(std::string_view bytes) {
    bool multiByte = false;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t length = Utf8SequenceAt(bytes, i);
        if (length == 0) {
            return false;
        }
        multiByte = multiByte || length > 1;
        i += length;
    }
    return multiByte;
}

}  // namespace

DecodedKillList DecodeKillListFile(std::string_view bytes) {
    if (bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom) {
        return {KillListEncoding::kUtf8WithBom, ValidUtf8(bytes.substr(kUtf8Bom.size()))};
    }
    if (bytes.substr(0, 2) == "\xFF\xFE") {
        return {KillListEncoding::kUtf16Le, Utf16ToUtf8(bytes.substr(2), false)};
    }
    if (bytes.substr(0, 2) == "\xFE\xFF") {
        return {KillListEncoding::kUtf16Be, Utf16ToUtf8(bytes.substr(2), true)};
    }
    if (LooksLikeUtf8(bytes)) {
        return {KillListEncoding::kUtf8, std::string(bytes)};
    }
    return {KillListEncoding::kAnsi, std::string(bytes)};
}

KillListReader::KillListReader(std::string_view bytes) : bytes_(bytes) {}

bool KillListReader::AtEnd() const { return pos_ >= bytes_.size(); }

// Progress: when !AtEnd() the byte at pos_ is consumed by whichever step looks
// at it first: the blank skip, the opening quote, the field scan, or
// ConsumeFieldEnd for a comma or line end. Every loop stops at the end of the
// data and only moves forward.
std::string KillListReader::ReadField() {
    const std::size_t size = bytes_.size();
    while (pos_ < size && IsBlank(bytes_[pos_])) {
        ++pos_;
    }

    std::string field;
    if (pos_ < size && bytes_[pos_] == kQuote) {
        const std::size_t start = ++pos_;
        while (pos_ < size && bytes_[pos_] != kQuote && !IsLineEnd(bytes_[pos_])) {
            ++pos_;
        }
        field.assign(bytes_.substr(start, pos_ - start));
        if (pos_ < size && bytes_[pos_] == kQuote) {
            ++pos_;
            while (pos_ < size && !EndsField(bytes_[pos_])) {
                ++pos_;
            }
        }
    } else {
        const std::size_t start = pos_;
        while (pos_ < size && !EndsField(bytes_[pos_])) {
            ++pos_;
        }
        field.assign(bytes_.substr(start, pos_ - start));
    }
    ConsumeFieldEnd();
    return field;
}

// pos_ is at the end of the data or at a comma, CR or LF.
void KillListReader::ConsumeFieldEnd() {
    if (AtEnd()) {
        return;
    }
    const char end = bytes_[pos_++];
    if (end == kCr && !AtEnd() && bytes_[pos_] == kLf) {
        ++pos_;
    }
}

std::vector<std::string> ParseKillList(std::string_view bytes) {
    std::vector<std::string> entries;
    KillListReader reader(bytes);
    while (!reader.AtEnd()) {
        entries.push_back(reader.ReadField());
    }
    return entries;
}

bool IsKillListRepresentable(std::string_view entry) {
    return FormOf(entry) != EntryForm::kUnrepresentable;
}

std::string SerializeKillList(const std::vector<std::string>& entries) {
    std::string out;
    for (const std::string& entry : entries) {
        switch (FormOf(entry)) {
        case EntryForm::kPlain:
            out += entry;
            break;
        case EntryForm::kQuoted:
            out += kQuote;
            out += entry;
            out += kQuote;
            break;
        case EntryForm::kUnrepresentable:
            continue;
        }
        out += kLineEnd;
    }
    return out;
}

}  // namespace morvex::processes
