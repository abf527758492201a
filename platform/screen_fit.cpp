#include "platform/screen_fit.h"

#include <cstdint>

namespace lv::ui {

int twips_to_pixels(int twips, int dpi) {
  // In 64 bits, rounding halves away from zero as Windows' MulDiv does.
  const std::int64_t product = std::int64_t{twips} * dpi;
  const std::int64_t half = product < 0 ? -720 : 720;
  return static_cast<int>((product + half) / 1440);
}

namespace {

bool fits(const Twips& client_size, int dpi, const PixelSize& frame, const PixelSize& area) {
  return std::int64_t{twips_to_pixels(client_size.width, dpi)} + frame.width <= area.width &&
         std::int64_t{twips_to_pixels(client_size.height, dpi)} + frame.height <= area.height;
}

}  // namespace

int fitting_dpi(Twips client_size, int dpi, PixelSize frame, PixelSize work_area) {
  if (dpi <= 1 || fits(client_size, dpi, frame, work_area)) return dpi < 1 ? 1 : dpi;
  // The size grows with the DPI: the largest fitting one lies in [1, dpi).
  int low = 1;
  int high = dpi - 1;
  while (low < high) {
    const int middle = low + (high - low + 1) / 2;
    if (fits(client_size, middle, frame, work_area)) {
      low = middle;
    } else {
      high = middle - 1;
    }
  }
  return low;
}

}  // namespace lv::ui
