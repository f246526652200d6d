#include "win32/gdi_cache.h"

#include <algorithm>
#include <cmath>
#include <utility>

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
  const auto font = [&](int pixels) { return FontOfHeight(pixels, def.bold); };
  const int height = FittingHeight(design, std::min(design, FontPixels(kSmallestPoints, dpi)), [&](int pixels) {
    SelectObject(dc, font(pixels));
    return CaptionFits(dc, text, box);
  });
  SelectObject(dc, original);
  return font(height);
}

void GdiCache::ChooseFace() {
  // The windows are laid out for the metrics of MS Sans Serif: its scalable
  // form where the system has it, else the face of that name (or whatever
  // the system gives for it). Whether that face is a raster one (Wine's own
  // MS Sans Serif is, as Windows' is) is asked of the face itself.
  LOGFONTW lf{};
  lf.lfHeight = -11;
  lf.lfCharSet = DEFAULT_CHARSET;
  const auto probe = [&](const wchar_t* face, std::wstring* actual, bool* raster) {
    wcscpy(lf.lfFaceName, face);
    const UniqueFont font(CreateFontIndirectW(&lf));
    const Selection selected(measuring_.get(), font.get());
    wchar_t name[LF_FACESIZE] = {};
    GetTextFaceW(measuring_.get(), LF_FACESIZE, name);
    TEXTMETRICW metrics{};
    GetTextMetricsW(measuring_.get(), &metrics);
    *actual = name;
    *raster = (metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) == 0;
  };
  std::wstring actual;
  bool raster = false;
  probe(L"Microsoft Sans Serif", &actual, &raster);
  if (_wcsicmp(actual.c_str(), L"Microsoft Sans Serif") == 0) {
    face_ = L"Microsoft Sans Serif";
  } else {
    face_ = L"MS Sans Serif";
    probe(face_.c_str(), &actual, &raster);
  }
  rasterFace_ = raster;
}

HFONT GdiCache::FontOfHeight(int pixels, bool bold) {
  if (face_.empty()) ChooseFace();
  const auto key = std::make_pair(pixels, bold);
  if (auto it = fonts_.find(key); it != fonts_.end()) return it->second.get();
  LOGFONTW lf{};
  lf.lfHeight = -pixels;
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  wcsncpy(lf.lfFaceName, face_.c_str(), LF_FACESIZE - 1);
  UniqueFont font(CreateFontIndirectW(&lf));
  if (rasterFace_) {
    // A raster face has a few sizes of its own and gives the nearest of them
    // for any other height, smaller or larger. At a height it lacks, the
    // scalable face the system keeps for dialogs takes its place, as an
    // outline font.
    TEXTMETRICW metrics{};
    {
      const Selection selected(measuring_.get(), font.get());
      GetTextMetricsW(measuring_.get(), &metrics);
    }
    if (metrics.tmHeight - metrics.tmInternalLeading != pixels) {
      wcsncpy(lf.lfFaceName, L"MS Shell Dlg", LF_FACESIZE - 1);
      lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
      font = UniqueFont(CreateFontIndirectW(&lf));
    }
  }
  return fonts_.emplace(key, std::move(font)).first->second.get();
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
