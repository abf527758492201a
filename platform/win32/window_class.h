// The window classes this backend registers: its top-level windows and its picture boxes.
#pragma once

#include <windows.h>

namespace lv::win32 {

inline constexpr wchar_t kWindowClass[] = L"LettervonkWindow";
inline constexpr wchar_t kPictureClass[] = L"LettervonkPicture";

void register_window_class();
void register_picture_class();

}  // namespace lv::win32
