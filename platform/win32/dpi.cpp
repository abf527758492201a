#include "platform/win32/dpi.h"

#include <algorithm>
#include <vector>

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

// Whether GDI gave font the face asked for, as an outline font: a bitmap face ("MS Sans Serif"
// on Windows has sizes up to 24 points at 96 DPI) is scaled into blocks of pixels at a larger size.
bool is_outline_face(HFONT font, const std::wstring& face) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, font);
  wchar_t chosen[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, chosen);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  DeleteDC(dc);
  return lstrcmpiW(chosen, face.c_str()) == 0 &&
         (metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) != 0;
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
  // The face asked for; for "MS Sans Serif", then the outline face of its design; then the face
  // of the message font. The first that GDI has as an outline font serves.
  std::vector<std::wstring> faces{widen(font.face)};
  if (lstrcmpiW(faces.front().c_str(), L"MS Sans Serif") == 0)
    faces.emplace_back(L"Microsoft Sans Serif");
  faces.emplace_back(message_logfont(dpi).lfFaceName);
  for (std::size_t i = 0;; ++i) {
    std::wstring& face = faces[i];
    face.resize(std::min<std::size_t>(face.size(), LF_FACESIZE - 1));
    std::fill(std::begin(wanted.lfFaceName), std::end(wanted.lfFaceName), L'\0');
    face.copy(wanted.lfFaceName, face.size());
    FontHandle made_font(made(CreateFontIndirectW(&wanted), "het lettertype"));
    if (i + 1 == faces.size() || is_outline_face(made_font.get(), face)) return made_font;
  }
}

}  // namespace lv::win32
