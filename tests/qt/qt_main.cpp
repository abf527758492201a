// The toolkit is up for the whole test program, as it is for the real one; not to list the tests,
// which CTest does without a screen.
#include <gtest/gtest.h>

#include <optional>

#include "platform/controls.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  std::optional<lv::ui::Toolkit> toolkit;
  if (!testing::GTEST_FLAG(list_tests)) toolkit.emplace(argc, argv);
  return RUN_ALL_TESTS();
}
