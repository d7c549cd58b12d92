#include <ctime>

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimer>

#include "app/qt_platform_services.h"

namespace sondrix {
namespace {

double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

TEST(QtPlatformServicesTest, APauseWaitsOnTheEventLoopWithoutSpinning) {
  QtPlatformServices services;
  bool handled = false;
  QTimer::singleShot(50, [&] { handled = true; });
  QElapsedTimer wall;
  wall.start();
  const double cpu = CpuSeconds();
  services.waitSeconds(0.4);
  EXPECT_GE(wall.elapsed(), 400);
  EXPECT_TRUE(handled) << "events are handled during the pause";
  EXPECT_LT(CpuSeconds() - cpu, 0.1) << "the pause sleeps";
}

TEST(QtPlatformServicesTest, AClosingWindowEndsThePauseEarly) {
  QtPlatformServices services;
  QTimer::singleShot(50, [&] { services.endWait(); });
  QElapsedTimer wall;
  wall.start();
  services.waitSeconds(1e30);
  EXPECT_LT(wall.elapsed(), 5000);
  services.endWait();  // no pause in progress: nothing happens
}

}  // namespace
}  // namespace sondrix
