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

// Code points of the bytes 0x80..0xFF of the OEM code pages; the bytes below
// 0x80 are ASCII in both.
constexpr std::array<char16_t, 128> kOem437 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  // 80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,  // 88
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  // 90
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192,  // 98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  // A0
    0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556,  // B0
    0x2555, 0x2563, 0x2551, 0x2557, 0x255D, 0x255C, 0x255B, 0x2510,  // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567,  // C8
    0x2568, 0x2564, 0x2565, 0x2559, 0x2558, 0x2552, 0x2553, 0x256B,  // D0
    0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,  // D8
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4,  // E0
    0x03A6, 0x0398, 0x03A9, 0x03B4, 0x221E, 0x03C6, 0x03B5, 0x2229,  // E8
    0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,  // F0
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0,  // F8
};
constexpr std::array<char16_t, 128> kOem850 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7,  // 80
    0x00EA, 0x00EB, 0x00E8, 0x00EF, 0x00EE, 0x00EC, 0x00C4, 0x00C5,  // 88
    0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,  // 90
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192,  // 98
    0x00E1, 0x00ED, 0x00F3, 0x00FA, 0x00F1, 0x00D1, 0x00AA, 0x00BA,  // A0
    0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,  // A8
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0,  // B0
    0x00A9, 0x2563, 0x2551, 0x2557, 0x255D, 0x00A2, 0x00A5, 0x2510,  // B8
    0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,  // C0
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4,  // C8
    0x00F0, 0x00D0, 0x00CA, 0x00CB, 0x00C8, 0x0131, 0x00CD, 0x00CE,  // D0
    0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,  // D8
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE,  // E0
    0x00DE, 0x00DA, 0x00DB, 0x00D9, 0x00FD, 0x00DD, 0x00AF, 0x00B4,  // E8
    0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,  // F0
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0,  // F8
};

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

std::optional<std::string> Utf8ToOem(int oemCodePage, const std::string& utf8) {
  if (oemCodePage != 437 && oemCodePage != 850) return std::nullopt;
  const std::array<char16_t, 128>& high = oemCodePage == 437 ? kOem437 : kOem850;
  std::string out;
  out.reserve(utf8.size());
  std::size_t len = 1;
  for (std::size_t i = 0; i < utf8.size(); i += len) {
    const char32_t cp = DecodeUtf8(utf8, i, len);
    if (cp < 0x80) {
      out += static_cast<char>(cp);
      continue;
    }
    std::size_t k = 0;
    while (k < high.size() && high[k] != cp) ++k;
    if (k == high.size()) return std::nullopt;
    out += static_cast<char>(0x80 + k);
  }
  return out;
}

std::optional<std::string> NativeCodePages::OemPath(const std::string& utf8) {
  if (std::optional<std::string> oem = ToOem(utf8)) return oem;
  const std::size_t slash = utf8.find_last_of('\\');
  if (slash == std::string::npos) return std::nullopt;
  const auto folder = shortFolders.find(utf8.substr(0, slash));
  if (folder == shortFolders.end()) return std::nullopt;
  return ToOem(folder->second + utf8.substr(slash));
}

}  // namespace morvex::standins
