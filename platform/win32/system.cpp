// The services of the system the drill asks for outside its windows.
#include "platform/win32/program.h"
#include "platform/win32/text.h"

namespace lv::ui {

void show_error(const std::string& title, const std::string& message) {
  if (program().ended()) return;
  const HWND owner = GetActiveWindow();
  MessageBoxW(owner, win32::widen(message).c_str(), win32::widen(title).c_str(),
              MB_OK | MB_ICONERROR | (owner ? 0 : MB_TASKMODAL));
}

std::string decimal_separator() {
  wchar_t separator[8] = {};
  if (!GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8)) return ".";
  return win32::narrow(separator);
}

std::uint64_t clock_value() {
  FILETIME now;
  GetSystemTimePreciseAsFileTime(&now);
  return (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
}

}  // namespace lv::ui
