#include "platform/screen_fit.h"

#include <gtest/gtest.h>

#include <limits>

namespace lv::ui {
namespace {

// The exercise window's client area: 1016 x 734 pixels at 96 DPI.
constexpr Twips kLayout{0, 0, 15240, 11010};
constexpr PixelSize kFrame{16, 39};

PixelSize window_at(int dpi) {
  return {twips_to_pixels(kLayout.width, dpi) + kFrame.width,
          twips_to_pixels(kLayout.height, dpi) + kFrame.height};
}

bool window_fits(int dpi, PixelSize area) {
  const PixelSize window = window_at(dpi);
  return window.width <= area.width && window.height <= area.height;
}

// The DPI found fits, and one more would not.
void expect_largest_fitting(int dpi, PixelSize area) {
  EXPECT_TRUE(window_fits(dpi, area)) << "at " << dpi << " DPI";
  EXPECT_FALSE(window_fits(dpi + 1, area)) << "at " << dpi + 1 << " DPI";
}

TEST(TwipsToPixels, RoundsToTheNearestPixelAsMulDivDoes) {
  EXPECT_EQ(twips_to_pixels(15240, 96), 1016);
  EXPECT_EQ(twips_to_pixels(255, 96), 17);  // 17.0
  EXPECT_EQ(twips_to_pixels(7, 96), 0);     // 0.47
  EXPECT_EQ(twips_to_pixels(8, 96), 1);     // 0.53
  EXPECT_EQ(twips_to_pixels(15, 48), 1);    // 0.5 goes up
  EXPECT_EQ(twips_to_pixels(-15, 48), -1);  // and away from zero below it
  EXPECT_EQ(twips_to_pixels(11010, 192), 1468);
}

TEST(FittingDpi, KeepsTheMonitorsDpiWhereTheWindowFitsToThePixel) {
  const PixelSize exact = window_at(96);
  EXPECT_EQ(fitting_dpi(kLayout, 96, kFrame, exact), 96);
  EXPECT_EQ(fitting_dpi(kLayout, 96, kFrame, {1920, 1040}), 96);
  EXPECT_EQ(fitting_dpi(kLayout, 144, kFrame, {1920, 1160}), 144);
}

TEST(FittingDpi, OnePixelTooTallOrTooWideShrinksJustEnough) {
  const PixelSize exact = window_at(96);
  for (const PixelSize area :
       {PixelSize{exact.width, exact.height - 1}, PixelSize{exact.width - 1, exact.height},
        PixelSize{exact.width - 1, exact.height - 1}}) {
    const int dpi = fitting_dpi(kLayout, 96, kFrame, area);
    EXPECT_LT(dpi, 96);
    expect_largest_fitting(dpi, area);
  }
}

TEST(FittingDpi, TheTighterDimensionDecides) {
  // 192 DPI on a 1080-line screen less its taskbar: the height decides.
  const PixelSize frame{32, 78};
  EXPECT_EQ(fitting_dpi(kLayout, 192, frame, {1920, 1040}), 125);
  // A tall, narrow monitor: the width decides.
  const int dpi = fitting_dpi(kLayout, 192, kFrame, {1080, 1880});
  EXPECT_LT(twips_to_pixels(kLayout.height, dpi) + kFrame.height, 1880 - 100);
  expect_largest_fitting(dpi, {1080, 1880});
}

TEST(FittingDpi, NeverZeroWhereNotEvenTheFrameFits) {
  EXPECT_EQ(fitting_dpi(kLayout, 96, {2000, 39}, {1920, 1040}), 1);
  EXPECT_EQ(fitting_dpi(kLayout, 96, kFrame, {0, 0}), 1);
  EXPECT_EQ(fitting_dpi(kLayout, 96, kFrame, {-5, -5}), 1);
  EXPECT_EQ(fitting_dpi(kLayout, 0, kFrame, {1920, 1040}), 1);
}

TEST(FittingDpi, HugeDpisNeitherOverflowNorOvershoot) {
  for (const int huge : {100'000, std::numeric_limits<int>::max()}) {
    const int dpi = fitting_dpi(kLayout, huge, kFrame, {3840, 2160});
    EXPECT_GT(dpi, 96);
    expect_largest_fitting(dpi, {3840, 2160});
  }
}

}  // namespace
}  // namespace lv::ui
