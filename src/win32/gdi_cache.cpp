#include "win32/gdi_cache.h"

#include <algorithm>
#include <cmath>

#include "win32/captions.h"

namespace morvex::win32 {

namespace {

// Font sizes in points become heights in pixels at the DPI.
int FontPixels(double points, int dpi) { return MulDiv(static_cast<int>(std::lround(points * 100)), dpi, 7200); }

// No caption is made smaller than this to fit.
constexpr double kSmallestPoints = 6.0;

}  // namespace

GdiCache::GdiCache() : measuring_(CreateCompatibleDC(nullptr)) {}

HFONT GdiCache::Font(double points, bool bold, int dpi) { return FontOfHeight(FontPixels(points, dpi), bold); }

HFONT GdiCache::CaptionFont(const ui::ControlDef& def, const std::wstring& text, int dpi) {
  const RECT client{0, 0, ui::TwipsToPixels(def.rect.width, dpi), ui::TwipsToPixels(def.rect.height, dpi)};
  const CaptionBox box = CaptionBoxOf(def.kind, def.align, client, dpi);
  const int design = FontPixels(def.fontSize, dpi);
  HDC dc = measuring_.get();
  HGDIOBJ original = GetCurrentObject(dc, OBJ_FONT);
  const int height = FittingHeight(design, std::min(design, FontPixels(kSmallestPoints, dpi)), [&](int pixels) {
    SelectObject(dc, FontOfHeight(pixels, def.bold));
    return CaptionFits(dc, text, box);
  });
  SelectObject(dc, original);
  return FontOfHeight(height, def.bold);
}

HFONT GdiCache::FontOfHeight(int pixels, bool bold) {
  const auto key = std::make_pair(pixels, bold);
  if (auto it = fonts_.find(key); it != fonts_.end()) return it->second.get();
  LOGFONTW lf{};
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  if (face_.empty()) {
    // The windows are laid out for the metrics of MS Sans Serif: its
    // scalable form where the system has it, else the face of that name
    // (or whatever the system gives for it).
    face_ = L"MS Sans Serif";
    lf.lfHeight = -11;
    wcscpy(lf.lfFaceName, L"Microsoft Sans Serif");
    const UniqueFont probe(CreateFontIndirectW(&lf));
    wchar_t actual[LF_FACESIZE] = {};
    {
      const Selection selected(measuring_.get(), probe.get());
      GetTextFaceW(measuring_.get(), LF_FACESIZE, actual);
    }
    if (_wcsicmp(actual, lf.lfFaceName) == 0) face_ = lf.lfFaceName;
  }
  lf.lfHeight = -pixels;
  wcsncpy(lf.lfFaceName, face_.c_str(), LF_FACESIZE - 1);
  return fonts_.emplace(key, UniqueFont(CreateFontIndirectW(&lf))).first->second.get();
}

HBRUSH GdiCache::Brush(COLORREF colour) {
  if (auto it = brushes_.find(colour); it != brushes_.end()) return it->second.get();
  return brushes_.emplace(colour, UniqueBrush(CreateSolidBrush(colour))).first->second.get();
}

void SetFont(HWND hwnd, HFONT font) {
  if (reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)) != font) {
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

}  // namespace morvex::win32
