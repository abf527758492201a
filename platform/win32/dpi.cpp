#include "platform/win32/dpi.h"

#include "platform/win32/creation.h"
#include "platform/win32/text.h"

namespace lv::win32 {

namespace {

LOGFONTW message_logfont(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
    return metrics.lfMessageFont;
  // That didn't work; scale the stock GUI font from the system DPI instead.
  LOGFONTW font{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(GetDpiForSystem()));
  return font;
}

// The face GDI really chose for font, which differs from the one asked for when it is missing.
std::wstring chosen_face(HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return face;
}

}  // namespace

FontHandle message_font(UINT dpi) {
  const LOGFONTW font = message_logfont(dpi);
  return FontHandle(made(CreateFontIndirectW(&font), "het lettertype"));
}

FontHandle make_font(const ui::Font& font, UINT dpi) {
  LOGFONTW wanted{};
  wanted.lfHeight = -MulDiv(font.points, static_cast<int>(dpi), 72);
  wanted.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  wanted.lfCharSet = DEFAULT_CHARSET;
  wanted.lfQuality = DEFAULT_QUALITY;
  wanted.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
  const std::wstring face = widen(font.face).substr(0, LF_FACESIZE - 1);
  face.copy(wanted.lfFaceName, face.size());
  FontHandle asked(made(CreateFontIndirectW(&wanted), "het lettertype"));
  if (lstrcmpiW(chosen_face(asked.get()).c_str(), face.c_str()) == 0) return asked;

  const LOGFONTW fallback = message_logfont(dpi);
  std::copy(std::begin(fallback.lfFaceName), std::end(fallback.lfFaceName), wanted.lfFaceName);
  return FontHandle(made(CreateFontIndirectW(&wanted), "het lettertype"));
}

}  // namespace lv::win32
