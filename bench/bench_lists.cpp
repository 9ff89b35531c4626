// The list windows' speed, offscreen, from the click on Start to the last row shown in
// the window: the city list of the total eclipse of 2022 November 8 over the whole city
// file (every place), and the city history of one place over the whole catalogue; and the
// table alone: 101,513 rows (the whole city list) handed to the window at once, from the
// start of a run that has them ready to the view showing them.
// Run from the folder that holds the catalogue and the city files (build/app); the table's
// benchmark needs neither.
#include <benchmark/benchmark.h>

#include "bench_offscreen_main.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "bench_startup.h"
#include "app/startup_data.h"
#include "gui/common/qt_translations.h"
#include "gui/common/app_state_object.h"
#include "gui/lists/list_table_model.h"
#include "gui/lists/city_history_window.h"
#include "gui/lists/city_list_window.h"

namespace varomintel {
namespace {

bool Start(benchmark::State& state) {
  if (bench::StartInCurrentFolder()) return true;
  state.SkipWithError("no catalogue in the current directory");
  return false;
}

void BM_CityListWholeFileShown(benchmark::State& state) {
  if (!Start(state)) return;
  InstallTranslations(1);
  AppStateObject eclipse(Startup().TheCatalogue);
  eclipse.SelectEclipse(16921);  // 2022 Nov 08
  CityListWindow window;
  window.Follow(&eclipse);
  window.show();
  window.ComboBox_Population->setCurrentIndex(9);
  long lines = 0;
  for (auto _ : state) {
    QSignalSpy finished(&window, &ListWindow::runFinished);
    window.StartCityList();
    if (!finished.wait(60000)) state.SkipWithError("the run did not end");
    lines = window.Rows().rowCount();
  }
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_CityListWholeFileShown)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_CityHistoryWholeCatalogueShown(benchmark::State& state) {
  if (!Start(state)) return;
  CityHistoryWindow window;
  window.show();
  window.Edit_Ort_Stadt->setText("Basel");
  window.Edit_Breite->setText("47.56");
  window.Edit_Laenge->setText("7.59");
  window.Edit_Hoehe->setText("260");
  window.ComboBox_von->setCurrentIndex(0);
  window.ComboBox_Bis->setCurrentIndex(window.ComboBox_Bis->count() - 1);
  long lines = 0;
  for (auto _ : state) {
    QSignalSpy finished(&window, &ListWindow::runFinished);
    window.StartCityHist();
    if (!finished.wait(60000)) state.SkipWithError("the run did not end");
    lines = window.Rows().rowCount();
  }
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_CityHistoryWholeCatalogueShown)->Unit(benchmark::kMillisecond)->Iterations(5);

// A list window whose run has its records ready: the whole cost is the window's, taking
// the batch, filling the table's model and painting the view.
class ReadyListWindow : public ListWindow {
 public:
  explicit ReadyListWindow(const std::vector<std::string>* records)
      : ListWindow(nullptr, QSize(928, 566), 100, "bench.txt", CityListColumns(), "Bench"), records_(records) {
    start_ = new QPushButton("Start", Content());
  }
  ~ReadyListWindow() override { AbandonRun(); }
  // The records in `batches` parts, a few milliseconds apart, so that the window takes
  // them in as many polls.
  void Go(int batches = 1) {
    StartRun(start_, {}, [this, batches](ListRun& run) {
      const std::size_t per = (records_->size() + static_cast<std::size_t>(batches) - 1) / static_cast<std::size_t>(batches);
      for (std::size_t first = 0; first < records_->size(); first += per) {
        std::string pairs;
        for (std::size_t i = first; i < std::min(records_->size(), first + per); ++i) pairs += '\n' + (*records_)[i] + '\n';
        run.AddPairs(pairs);
        if (batches > 1) std::this_thread::sleep_for(std::chrono::milliseconds(50));
      }
    }, {});
  }

 private:
  const std::vector<std::string>* records_;
  QPushButton* start_;
};

// City-list records of the saved list's shape, each place another (names, coordinates,
// populations and times differ from row to row, as in a real run).
std::vector<std::string> CityListRecords(int count) {
  std::vector<std::string> records;
  records.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const int lat = i % 90, lon = (i * 7) % 180, minute = (i * 13) % 60;
    char text[400];
    std::snprintf(text, sizeof text,
                  "2022\t11\t8\t69.2\tt\tLand %d\tOrt Nummer %d\t%02d\u00B0%02d'N\t%03d\u00B0%02d'E\t%d\t"
                  "08:02:%02d\t%d.0\t09:09:%02d\t%d.5\t10:16:39\t22.0\t10:59:11\t27.3\t1.359\t1:25\t"
                  "11:41:%02d\t31.1\t12:49:18\t35.0\t13:56:09\t37.7",
                  i % 240, i, lat, minute, lon, minute, 2000 + i * 37 % 9000000, minute, lat % 60, minute, lat % 60,
                  minute);
    records.emplace_back(text);
  }
  return records;
}

void BM_TableShowsTheWholeCityList(benchmark::State& state) {
  const std::vector<std::string> records = CityListRecords(101513);
  ReadyListWindow window(&records);
  window.show();
  long rows = 0;
  for (auto _ : state) {
    QSignalSpy finished(&window, &ListWindow::runFinished);
    window.Go();
    if (!finished.wait(60000)) state.SkipWithError("the run did not end");
    QCoreApplication::processEvents();  // the view lays out and paints the rows in sight
    rows = window.View()->rowCount();
  }
  state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_TableShowsTheWholeCityList)->Unit(benchmark::kMillisecond)->Iterations(10);

// A click on a header of the whole city list: by population (numbers) or by city (names
// in the language's order), and back to the run's order.
void BM_TableSortsTheWholeCityList(benchmark::State& state) {
  const std::vector<std::string> records = CityListRecords(101513);
  ReadyListWindow window(&records);
  window.show();
  QSignalSpy finished(&window, &ListWindow::runFinished);
  window.Go();
  if (!finished.wait(60000)) state.SkipWithError("the run did not end");
  const int column = static_cast<int>(state.range(0));
  for (auto _ : state) {
    window.View()->sort(column, Qt::DescendingOrder);
    QCoreApplication::processEvents();
    state.PauseTiming();
    window.View()->sort(-1, Qt::AscendingOrder);
    QCoreApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_TableSortsTheWholeCityList)->Arg(6)->Arg(3)->Unit(benchmark::kMillisecond)->Iterations(3);

// The whole city list arriving in 25 batches (about 1.25 s of run) while the table is
// sorted by population and filtered, or neither: the window's time is what exceeds the run.
void BM_TableFillsDuringTheRun(benchmark::State& state) {
  const std::vector<std::string> records = CityListRecords(101513);
  ReadyListWindow window(&records);
  window.show();
  if (state.range(0)) {
    window.View()->sort(6, Qt::DescendingOrder);
    window.Edit_Filter->setText("9");
  }
  for (auto _ : state) {
    QSignalSpy finished(&window, &ListWindow::runFinished);
    window.Go(25);
    if (!finished.wait(60000)) state.SkipWithError("the run did not end");
    QCoreApplication::processEvents();
  }
  state.counters["shown"] = static_cast<double>(window.View()->rowCount());
}
BENCHMARK(BM_TableFillsDuringTheRun)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(2);

// A name typed into the filter of the whole city list, key by key, and cleared again.
void BM_TableFiltersTheWholeCityList(benchmark::State& state) {
  const std::vector<std::string> records = CityListRecords(101513);
  ReadyListWindow window(&records);
  window.show();
  QSignalSpy finished(&window, &ListWindow::runFinished);
  window.Go();
  if (!finished.wait(60000)) state.SkipWithError("the run did not end");
  long shown = 0;
  for (auto _ : state) {
    const QString typed = "93";  // rows scattered over the whole list
    for (qsizetype n = 1; n <= typed.size(); ++n) {
      window.Edit_Filter->setText(typed.left(n));
      QCoreApplication::processEvents();
    }
    shown = window.View()->rowCount();
    window.Edit_Filter->clear();
    QCoreApplication::processEvents();
  }
  state.counters["shown"] = static_cast<double>(shown);
}
BENCHMARK(BM_TableFiltersTheWholeCityList)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
}  // namespace varomintel

int main(int argc, char** argv) { return varomintel::bench::RunOffscreenBenchmarks<QApplication>(argc, argv); }
