// How large a window's layout is drawn so that the window fits the work area of its monitor.
#pragma once

#include "platform/controls.h"

namespace lv::ui {

struct PixelSize {
  int width;
  int height;
};

// Twips to pixels at dpi, to the nearest pixel. Both backends place controls with it, so that
// the size fitting_dpi measures is the size drawn.
int twips_to_pixels(int twips, int dpi);

// The DPI to turn the layout's twips (and its fonts' points) into pixels at: the monitor's own
// dpi where the client area at that DPI, with the frame around it, fits the work area; otherwise
// the largest lower DPI at which it fits both ways, so that every control keeps its place relative
// to the others and stays visible. Where not even the frame fits, 1: never zero.
int fitting_dpi(Twips client_size, int dpi, PixelSize frame, PixelSize work_area);

}  // namespace lv::ui
