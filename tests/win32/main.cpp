// The toolkit is up for the whole test program, as it is for the real one.
#include <gtest/gtest.h>

#include "platform/controls.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  lv::ui::Toolkit toolkit(argc, argv);
  return RUN_ALL_TESTS();
}
