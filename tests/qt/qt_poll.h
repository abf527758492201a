// A user who acts whenever `act` finds something to do, looking every 20 ms, for the Qt tests.
#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

namespace lv::test {

class Poll {
 public:
  explicit Poll(std::function<void()> act) {
    QObject::connect(&timer_, &QTimer::timeout, std::move(act));
    timer_.start(20);
  }

 private:
  QTimer timer_;
};

}  // namespace lv::test
