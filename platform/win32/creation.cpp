#include "platform/win32/creation.h"

#include <windows.h>

#include "platform/win32/program.h"
#include "platform/win32/text.h"

namespace lv::win32 {

namespace {
int creations_until_refused = 0;
}  // namespace

void cannot_go_on(const std::string& why) {
  ui::program().refuse_handlers();  // none runs while the message waits
  const std::string message = "Lettervonk kan niet verder en stopt.\n\n" + why;
  MessageBoxW(nullptr, widen(message).c_str(), L"Lettervonk", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  ExitProcess(1);
}

bool refused_for_test() {
  return creations_until_refused > 0 && --creations_until_refused == 0;
}

void refuse_creation(int n) {
  creations_until_refused = n;
}

}  // namespace lv::win32
