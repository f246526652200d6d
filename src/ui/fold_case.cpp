#include "ui/fold_case.h"

namespace morvex::ui {

namespace {

// Decodes one UTF-8 sequence at text[i]; returns the code point and advances i.
// Malformed bytes come back as themselves.
char32_t NextCodePoint(const std::string& text, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b0 = byte(i);
  if (b0 >= 0xC2 && b0 <= 0xDF && i + 1 < text.size() && (byte(i + 1) & 0xC0) == 0x80) {
    const char32_t cp = ((b0 & 0x1Fu) << 6) | (byte(i + 1) & 0x3Fu);
    i += 2;
    return cp;
  }
  ++i;
  return b0;
}

}  // namespace

std::string FoldCase(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const std::size_t start = i;
    char32_t cp = NextCodePoint(utf8, i);
    if (cp >= 'A' && cp <= 'Z') {
      out += static_cast<char>(cp - 'A' + 'a');
    } else if (i - start == 2 && ((cp >= 0xC0 && cp <= 0xDE && cp != 0xD7))) {
      cp += 0x20;  // Latin-1 capitals fold onto their small letters
      out += static_cast<char>(0xC0 | (cp >> 6));
      out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
      out.append(utf8, start, i - start);
    }
  }
  return out;
}

}  // namespace morvex::ui
