#include "processes/killlist_format.h"

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

}  // namespace

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
