// The main of the window tests: one application for every test, on the offscreen platform.
#include <gtest/gtest.h>

#include <QApplication>

#include "gui/common/qt_translations.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  // Each test begins as the program does, whatever language the test before chose.
  struct GermanAtEachStart : ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { varomintel::InstallTranslations(0); }
  };
  ::testing::UnitTest::GetInstance()->listeners().Append(new GermanAtEachStart);
  return RUN_ALL_TESTS();
}
