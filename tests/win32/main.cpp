// The toolkit is up for the whole test program, as it is for the real one. Every test is a run of
// the program of its own: one that ended the program leaves the next one a program not ended and
// a message queue without the quit message that ending posts.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/controls.h"
#include "platform/program.h"

namespace {

class FreshRunForEveryTest : public testing::EmptyTestEventListener {
  void OnTestEnd(const testing::TestInfo&) override {
    lv::ui::program().start_afresh();
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }
};

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  lv::ui::Toolkit toolkit(argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new FreshRunForEveryTest);
  return RUN_ALL_TESTS();
}
