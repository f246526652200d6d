#include "win32/captions.h"

namespace morvex::win32 {

namespace {

using ui::Kind;

// Room the system keeps beside a caption, in pixels at 96 DPI, the more of
// the classic and the themed controls. A group box's caption keeps 8 pixels
// from either end of the classic frame (the themed one starts it 12 in and
// lets it run to 2 before the end); a check box's or option button's starts
// after the glyph (13) and a gap (at most 6); a push button's lies inside
// its frame.
constexpr int kFrameLeft = 8;
constexpr int kFrameRight = 8;
constexpr int kGlyphAndGap = 19;
constexpr int kButtonX = 4;
constexpr int kButtonY = 3;
constexpr int kRollUpTextTwips = 120;  // the header text's distance from either end

}  // namespace

bool HasCaption(Kind kind) {
  switch (kind) {
    case Kind::Label:
    case Kind::Frame:
    case Kind::Button:
    case Kind::XpButton:
    case Kind::CheckBox:
    case Kind::OptionButton:
    case Kind::RollUp:
      return true;
    default:
      return false;
  }
}

CaptionBox CaptionBoxOf(Kind kind, ui::Align align, const RECT& client, int dpi) {
  const auto px = [dpi](int at96) { return MulDiv(at96, dpi, 96); };
  CaptionBox box{client, DT_SINGLELINE | DT_LEFT};
  switch (kind) {
    case Kind::Label:
      box.format = DT_WORDBREAK | DT_EXPANDTABS | (align == ui::Align::Center ? DT_CENTER : DT_LEFT);
      break;
    case Kind::Frame:
      box.area.left += px(kFrameLeft);
      box.area.right -= px(kFrameRight);
      break;
    case Kind::Button:
    case Kind::XpButton:
      InflateRect(&box.area, -px(kButtonX), -px(kButtonY));
      box.format = DT_WORDBREAK | DT_CENTER | (kind == Kind::XpButton ? DT_NOPREFIX : 0);
      break;
    case Kind::CheckBox:
    case Kind::OptionButton:
      box.area.left += px(kGlyphAndGap);
      box.area.right -= px(1);
      box.format |= DT_VCENTER;
      break;
    case Kind::RollUp:
      box.area.left += ui::TwipsToPixels(kRollUpTextTwips, dpi);
      box.area.right -= ui::TwipsToPixels(kRollUpTextTwips, dpi);
      box.area.bottom = box.area.top + ui::TwipsToPixels(kRollUpHeaderTwips, dpi);
      box.format |= DT_VCENTER | DT_NOPREFIX;
      break;
    default:
      break;
  }
  return box;
}

bool CaptionFits(HDC dc, const std::wstring& text, const CaptionBox& box) {
  if (text.empty()) return true;
  const LONG width = box.area.right - box.area.left;
  const LONG height = box.area.bottom - box.area.top;
  RECT need{0, 0, width, 0};
  // Measured from the left: the alignment moves lines, it does not change them.
  const UINT format = (box.format & ~(DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &need, format);
  return need.right - need.left <= width && need.bottom - need.top <= height;
}

int FittingHeight(int design, int smallest, const std::function<bool(int)>& fits) {
  if (design <= smallest || fits(design)) return design;
  int low = smallest;
  int high = design - 1;
  int best = smallest;
  while (low <= high) {
    const int middle = low + (high - low) / 2;
    if (fits(middle)) {
      best = middle;
      low = middle + 1;
    } else {
      high = middle - 1;
    }
  }
  return best;
}

}  // namespace morvex::win32
