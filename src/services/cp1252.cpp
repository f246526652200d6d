#include "services/cp1252.h"

#include <array>

namespace morvex::services {

namespace {

// Code points of the bytes 0x80..0x9F; 0 where the code page has no character
// (those bytes map to the C1 control of the same number).
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

char ToByte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (std::size_t i = 0; i < kHigh.size(); ++i) {
    if (kHigh[i] == cp || (kHigh[i] == 0 && cp == 0x80 + i)) return static_cast<char>(0x80 + i);
  }
  return '?';  // no such character in the code page, as the system substitutes
}

}  // namespace

std::string Utf8ToCp1252(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(utf8[k]); };
    const unsigned char b0 = b(i);
    char32_t cp = b0;
    std::size_t len = 1;
    if (b0 >= 0xC2 && b0 <= 0xDF && i + 1 < utf8.size() && (b(i + 1) & 0xC0) == 0x80) {
      cp = ((b0 & 0x1Fu) << 6) | (b(i + 1) & 0x3Fu);
      len = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF && i + 2 < utf8.size() && (b(i + 1) & 0xC0) == 0x80 &&
               (b(i + 2) & 0xC0) == 0x80) {
      cp = ((b0 & 0x0Fu) << 12) | ((b(i + 1) & 0x3Fu) << 6) | (b(i + 2) & 0x3Fu);
      len = 3;
    } else if (b0 >= 0x80) {
      cp = 0xFFFD;  // malformed or outside the basic plane
      len = 1;
      if (b0 >= 0xF0 && i + 3 < utf8.size()) len = 4;
    }
    out += ToByte(cp);
    i += len;
  }
  return out;
}

std::string Cp1252ToUtf8(const std::string& ansi) {
  std::string out;
  out.reserve(ansi.size());
  for (const char c : ansi) {
    const auto byte = static_cast<unsigned char>(c);
    char32_t cp = byte;
    if (byte >= 0x80 && byte < 0xA0 && kHigh[byte - 0x80] != 0) cp = kHigh[byte - 0x80];
    AppendUtf8(out, cp);
  }
  return out;
}

}  // namespace morvex::services
