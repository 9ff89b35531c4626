#include "gui/common/delay.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

namespace varomintel {

long long Delay(int milliseconds) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() <= milliseconds && !QCoreApplication::closingDown()) {
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(milliseconds - clock.elapsed()) + 1, &loop, &QEventLoop::quit);
    // -1: the application was asked to quit, and every loop ends at once from now on.
    if (loop.exec() == -1) break;
  }
  return clock.elapsed();
}

}  // namespace varomintel
