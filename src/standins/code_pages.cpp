#include "standins/code_pages.h"

#include <array>
#include <cstddef>

#include "services/utf8.h"

namespace morvex::standins {

namespace {

// Code points of the bytes 0x80..0x9F; 0 where the code page has no character
// (those bytes map to the C1 control of the same number).
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

constexpr char32_t kNoCharacter = 0xFFFD;

// The code point that starts at utf8[i], and its length in bytes; the
// replacement character for a malformed sequence or one outside the basic
// plane.
char32_t DecodeUtf8(const std::string& utf8, std::size_t i, std::size_t& len) {
  const auto b = [&](std::size_t k) { return static_cast<unsigned char>(utf8[k]); };
  const unsigned char b0 = b(i);
  len = 1;
  if (b0 < 0x80) return b0;
  if (b0 >= 0xC2 && b0 <= 0xDF && i + 1 < utf8.size() && (b(i + 1) & 0xC0) == 0x80) {
    len = 2;
    return ((b0 & 0x1Fu) << 6) | (b(i + 1) & 0x3Fu);
  }
  if (b0 >= 0xE0 && b0 <= 0xEF && i + 2 < utf8.size() && (b(i + 1) & 0xC0) == 0x80 && (b(i + 2) & 0xC0) == 0x80) {
    len = 3;
    return ((b0 & 0x0Fu) << 12) | ((b(i + 1) & 0x3Fu) << 6) | (b(i + 2) & 0x3Fu);
  }
  if (b0 >= 0xF0 && i + 3 < utf8.size()) len = 4;
  return kNoCharacter;
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
  std::size_t len = 1;
  for (std::size_t i = 0; i < utf8.size(); i += len) out += ToByte(DecodeUtf8(utf8, i, len));
  return out;
}

std::optional<std::string> Utf8ToCp1252Exactly(const std::string& utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t len = 1;
  for (std::size_t i = 0; i < utf8.size(); i += len) {
    const char32_t cp = DecodeUtf8(utf8, i, len);
    const char byte = ToByte(cp);
    if (byte == '?' && cp != U'?') return std::nullopt;
    out += byte;
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
    services::AppendUtf8(out, cp);
  }
  return out;
}

}  // namespace morvex::standins
