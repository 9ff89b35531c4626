// The main function of the benchmarks that draw with Qt: the offscreen platform (no
// display needed), the application object of the kind given (QGuiApplication for pictures
// alone, QApplication for windows), then every benchmark of the program.
#pragma once

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QtGlobal>

namespace varomintel::bench {

template <class Application>
int RunOffscreenBenchmarks(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  Application app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace varomintel::bench
