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

// The small letter of a capital, or the code point itself: ASCII, Latin-1,
// Latin Extended-A (the letters of Central European names), Greek and
// Cyrillic, as the system's comparisons that ignore letter case fold them.
char32_t SmallLetter(char32_t cp) {
  if ((cp >= 'A' && cp <= 'Z') || (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7)) return cp + 0x20;
  // The dotted and the dotless i (U+0130, U+0131) fold by language: left as they are.
  if ((cp >= 0x100 && cp <= 0x12F) || (cp >= 0x132 && cp <= 0x137) || (cp >= 0x14A && cp <= 0x177)) {
    return cp | 1;  // even capitals
  }
  if ((cp >= 0x139 && cp <= 0x148) || (cp >= 0x179 && cp <= 0x17E)) return cp % 2 ? cp + 1 : cp;  // odd capitals
  if (cp == 0x178) return 0xFF;  // Ÿ
  if (cp >= 0x391 && cp <= 0x3AB && cp != 0x3A2) return cp + 0x20;  // Greek
  if (cp >= 0x410 && cp <= 0x42F) return cp + 0x20;  // Cyrillic А..Я
  if (cp >= 0x400 && cp <= 0x40F) return cp + 0x50;  // Cyrillic Ѐ..Џ
  return cp;
}

}  // namespace

std::string FoldCase(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const std::size_t start = i;
    const char32_t cp = NextCodePoint(utf8, i);
    const char32_t small = SmallLetter(cp);
    if (small == cp) {
      out.append(utf8, start, i - start);
    } else if (small < 0x80) {
      out += static_cast<char>(small);
    } else {
      out += static_cast<char>(0xC0 | (small >> 6));
      out += static_cast<char>(0x80 | (small & 0x3F));
    }
  }
  return out;
}

}  // namespace morvex::ui
