// UTF-8 inside the program, UTF-16 only where Win32 is called.
#pragma once

#include <windows.h>

#include <string>

namespace lv::win32 {

std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& utf16);
std::string window_text(HWND hwnd);

}  // namespace lv::win32
