// The city-list and city-history windows driven offscreen as a user would: runs on small
// city files and catalogues compared with what the engines give for the same input, stop,
// save, the input checks, the taken-over place, and the settings they keep.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QClipboard>
#include <QAction>
#include <QComboBox>
#include <QDate>
#include <QFileDialog>
#include <QMenu>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTest>
#include <QTableView>
#include <QTimer>

#include <algorithm>
#include <set>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <new>

#include "find_control.h"
#include "../support/synthetic_eclipse.h"
#include "app/parameter_file.h"
#include "app/startup_data.h"
#include "astro/calendar.h"
#include "astro/trig_func.h"
#include "gui/common/qt_translations.h"
#include "gui/lists/list_table_model.h"
#include "gui/lists/city_history_window.h"
#include "gui/lists/city_list_window.h"
#include "gui/common/app_state_object.h"
#include "gui/main/main_window.h"
#include "places/calendar_export.h"
#include "places/city_file.h"
#include "places/list_file.h"

namespace varomintel {
namespace {

namespace fs = std::filesystem;

class ListWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("varomintel_lists_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    StartupData& v = Startup();
    v = StartupData{};
    v.ProgramDir = dir_.string() + "/";
    // Our own settings file (column widths, typed years) lies beside the parameter file:
    // one per test process, so that tests running side by side do not share it.
    v.ParamDir = dir_.string() + "/";
    InstallTranslations(0);  // German: the city file Top191744_DE.txt
    std::vector<EclipseRecord> records;
    for (int i = 0; i < 600; ++i) {  // two eclipses a year from 1800 on
      records.push_back(testing::LinearEclipse::Passing(i % 3 ? 1200 : 4500).Record(1800 + i / 2, 3 + i % 2 * 6, 10, 20));
      records.back().JulianDayTT = DateToJD(records.back().Year, records.back().Month, 10, 20, 0, 0);
    }
    v.TheCatalogue = Catalogue(std::move(records));
    Select(testing::LinearEclipse::Passing(1200).Record());
  }
  // The eclipse selected in the program's state, which the list windows follow.
  void Select(const EclipseRecord& r) {
    state_.reset();
    selectable_ = Catalogue({r});
    state_ = std::make_unique<AppStateObject>(selectable_);
    state_->SelectEclipse(1);
  }
  const EclipseRecord& Selected() const { return state_->State().View().Selection().record; }
  template <class Window>
  std::unique_ptr<Window> Following() {
    auto w = std::make_unique<Window>();
    w->Follow(state_.get());
    return w;
  }
  void TearDown() override {
    list_.reset();
    hist_.reset();
    fs::remove_all(dir_);
  }
  void WriteCityFile(const std::string& text) {
    std::ofstream(dir_ / kCityFileGerman, std::ios::binary) << text;
  }
  // Places round the world at every 15 degrees of longitude, with the given populations.
  static std::string RoundTheWorld(std::vector<int> populations) {
    std::string text;
    int i = 0;
    for (int lon = -180; lon < 180; lon += 15)
      for (const int pop : populations) {
        ++i;
        text += "Ort" + std::to_string(i) + "\t" + std::to_string(pop) + "\t" + std::to_string(1000 - i * 10) + "\t" +
                std::to_string(lon * 100) + "\tLand" + std::to_string(lon) + "\n";
      }
    return text;
  }
  // Runs `start` and waits until the window's run has ended.
  static void RunAndWait(ListWindow& window, const std::function<void()>& start) {
    QSignalSpy finished(&window, &ListWindow::runFinished);
    start();
    ASSERT_TRUE(finished.wait(20000));
  }
  // The text of the message box that opens while `action` runs (or until the next wait
  // ends), which is then closed; empty when none opened.
  static QString MessageOf(const std::function<void()>& action) {
    QString text;
    QTimer catcher;
    catcher.setInterval(10);
    QObject::connect(&catcher, &QTimer::timeout, [&] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        text = box->text();
        box->accept();
      }
    });
    catcher.start();
    action();
    return text;
  }
  // The records of the rows in the window's table, in the order the run gave them.
  static std::vector<std::string> Shown(const ListWindow& window) {
    std::vector<std::string> records;
    for (int r = 0; r < window.Rows().rowCount(); ++r) records.push_back(window.Rows().Record(r));
    return records;
  }
  std::string ReadFile(const fs::path& p) const {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  fs::path dir_;
  Catalogue selectable_;
  std::unique_ptr<AppStateObject> state_;
  std::unique_ptr<CityListWindow> list_;
  std::unique_ptr<CityHistoryWindow> hist_;
};

// The window shows and saves exactly what the engine finds, for the thresholds whose
// meaning is easy to get wrong: item 8 (2'000) means 2000 and more, item 9 takes every
// place, population 0 included.
TEST_F(ListWindows, CityListShowsAndSavesWhatTheEngineFinds) {
  WriteCityFile(RoundTheWorld({2000, 1999, 0, 1000000}));
  list_ = Following<CityListWindow>();
  const struct {
    int item;
    std::vector<int> populationsListed;
  } cases[] = {{8, {2000, 1000000}}, {9, {2000, 1999, 0, 1000000}}, {0, {1000000}}};
  for (const auto& c : cases) {
    list_->ComboBox_Population->setCurrentIndex(c.item);
    RunAndWait(*list_, [&] { QTest::mouseClick(list_->Button_Start_CityList, Qt::LeftButton); });
    CityListInput input{Selected(), (dir_ / kCityFileGerman).string(), c.item};
    std::vector<std::string> records, saved = CityListLegend(0);
    std::set<int> populations;
    CityListCallbacks callbacks;
    callbacks.onResult = [&](const CityListHit& hit) {
      records.push_back(hit.record);
      saved.push_back(hit.record);
      populations.insert(hit.place.Population);
    };
    const std::atomic<bool> never{false};
    const CityListOutcome outcome = RunCityList(input, callbacks, never);
    ASSERT_GT(outcome.counts.found, 0) << c.item;
    EXPECT_EQ(Shown(*list_), records) << c.item;
    EXPECT_EQ(list_->SavedText(), saved) << c.item;
    EXPECT_EQ(std::vector<int>(populations.begin(), populations.end()),
              [&] { auto p = c.populationsListed; std::sort(p.begin(), p.end()); return p; }())
        << c.item;
    EXPECT_EQ(list_->StatusText().toStdString(), CityListStatus(outcome.counts.scanned, outcome.counts.found, 0));
    EXPECT_TRUE(list_->Button_Start_CityList->isEnabled());
    ASSERT_TRUE(list_->SaveTo(QString::fromStdString((dir_ / "saved.txt").string())));
    EXPECT_EQ(ReadFile(dir_ / "saved.txt"), JoinCrLf(saved));
    // The table sorted by population and filtered by a country: the saved file stays the
    // run's, byte for byte, and the rows shown are that country's, largest first.
    QAbstractItemModel* table = list_->RichEdit_CityList->model();
    const QString country = table->index(table->rowCount() - 1, 2).data().toString();
    list_->Edit_Filter->setText(country.toUpper());
    list_->RichEdit_CityList->sortByColumn(6, Qt::DescendingOrder);
    ASSERT_GT(table->rowCount(), 0) << c.item;
    ASSERT_LT(table->rowCount(), static_cast<int>(records.size())) << c.item;
    for (int r = 0; r < table->rowCount(); ++r) {
      EXPECT_TRUE(table->index(r, 2).data().toString().startsWith(country)) << c.item;
      if (r > 0) {
        EXPECT_GE(table->index(r - 1, 6).data().toInt(), table->index(r, 6).data().toInt()) << c.item;
      }
    }
    ASSERT_TRUE(list_->SaveTo(QString::fromStdString((dir_ / "sorted.txt").string())));
    EXPECT_EQ(ReadFile(dir_ / "sorted.txt"), JoinCrLf(saved)) << c.item;
    // Ctrl+A, Ctrl+C on the table: the header and every row shown, in the table's order.
    QApplication::clipboard()->clear();
    QTest::keyClick(list_->RichEdit_CityList, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(list_->RichEdit_CityList, Qt::Key_C, Qt::ControlModifier);
    const QStringList copied = QApplication::clipboard()->text().split('\n');
    ASSERT_EQ(copied.size(), table->rowCount() + 2) << c.item;  // header, rows, and the last line's end
    EXPECT_TRUE(copied[0].startsWith("Datum\tPhase\tLand\tStadt\t")) << copied[0].toStdString();
    EXPECT_EQ(copied[1].split('\t')[3], table->index(0, 3).data().toString()) << c.item;
    list_->Edit_Filter->clear();
    list_->RichEdit_CityList->sortByColumn(-1, Qt::AscendingOrder);
  }
}

TEST_F(ListWindows, SavingBeforeAnyRunWritesAnEmptyFileAndAFailedSaveKeepsTheOldFile) {
  WriteCityFile(RoundTheWorld({5000}));
  list_ = Following<CityListWindow>();
  hist_ = Following<CityHistoryWindow>();
  for (ListWindow* w : std::initializer_list<ListWindow*>{list_.get(), hist_.get()}) {
    std::ofstream(dir_ / "old.txt") << "old";
    ASSERT_TRUE(w->SaveTo(QString::fromStdString((dir_ / "old.txt").string())));
    EXPECT_EQ(ReadFile(dir_ / "old.txt"), "");
  }
  fs::create_directories(dir_ / "folder.txt");
  const QString message = MessageOf([&] { EXPECT_FALSE(list_->SaveTo(QString::fromStdString((dir_ / "folder.txt").string()))); });
  EXPECT_TRUE(message.contains("folder.txt")) << message.toStdString();
}

// Stopped at once on a large file: the lines found so far are shown and saved, and
// nothing else.
TEST_F(ListWindows, AStoppedRunKeepsAndSavesWhatItFound) {
  std::string big;
  for (int k = 0; k < 40; ++k) big += RoundTheWorld({3000, 3000, 3000, 3000, 3000, 3000, 3000, 3000});
  WriteCityFile(big);
  list_ = Following<CityListWindow>();
  list_->show();
  list_->ComboBox_Population->setCurrentIndex(9);
  RunAndWait(*list_, [&] {
    QTest::mouseClick(list_->Button_Start_CityList, Qt::LeftButton);
    QTest::mouseClick(list_->Button_Beenden, Qt::LeftButton);
  });
  EXPECT_FALSE(list_->isVisible());
  const std::vector<std::string> shown = Shown(*list_);
  const std::vector<std::string>& saved = list_->SavedText();
  const std::size_t legend = CityListLegend(0).size();
  ASSERT_GE(saved.size(), legend);
  EXPECT_EQ(saved.size() - legend, shown.size());
  EXPECT_LT(shown.size(), 40u * 24 * 8 / 2) << "the run was not stopped";
}

TEST_F(ListWindows, AMalformedCityLineEndsTheRunWithTheParsersMessageAndKeepsTheLinesSoFar) {
  WriteCityFile(RoundTheWorld({3000}) + "Bad\t12x\t0\t0\tLand\n" + RoundTheWorld({3000}));
  list_ = Following<CityListWindow>();
  list_->ComboBox_Population->setCurrentIndex(9);
  // The message box opens when the run has ended, inside the wait.
  const QString message = MessageOf(
      [&] { RunAndWait(*list_, [&] { QTest::mouseClick(list_->Button_Start_CityList, Qt::LeftButton); }); });
  // In the window's language (German here), as every message box of the window.
  EXPECT_TRUE(message.contains(QString::fromUtf8(", Zeile 25: „12x“ ist keine gültige ganze Zahl."))) << message.toStdString();
  const std::vector<std::string> shown = Shown(*list_);
  EXPECT_FALSE(shown.empty());
  for (const std::string& line : shown) EXPECT_EQ(line.find("Bad"), std::string::npos);
}

TEST_F(ListWindows, CityHistoryChecksItsInputsInOrderAndNamesTheField) {
  hist_ = Following<CityHistoryWindow>();
  const struct {
    const char* latitude;
    const char* longitude;
    const char* height;
    const char* name;
    const char* message;
    const char* from = "1990";
    const char* to = "2000";
  } cases[] = {
      {"abc", "x", "y", "", "Geogr. Breite ist kein gültiger Wert"},
      {"47.5", "7,5", "y", "", "Geogr. Länge ist kein gültiger Wert"},
      {"47.5", "7.5", "1,5", "", "Höhe ist kein gültiger Wert"},
      {"91", "7.5", "0", "", "Geogr. Breite ist kein gültiger Wert"},
      {"47.5", "180.5", "0", "", "Geogr. Länge ist kein gültiger Wert"},
      {"47.5", "7.5", "0", "A\tB", "Ort/Stadt ist kein gültiger Wert"},
      // The heights a place on or above the Earth can have.
      {"47.5", "7.5", "-1000.5", "", "Höhe ist kein gültiger Wert: erlaubt sind -1000 bis 100000 m"},
      {"47.5", "7.5", "100001", "", "Höhe ist kein gültiger Wert: erlaubt sind -1000 bis 100000 m"},
      {"47.5", "7.5", "1e308", "", "Höhe ist kein gültiger Wert: erlaubt sind -1000 bis 100000 m"},
      // Years typed outside the catalogue, or no year at all.
      {"47.5", "7.5", "0", "", "Jahr ist kein gültiger Wert: erlaubt sind -4999 bis 7000", "-5000"},
      {"47.5", "7.5", "0", "", "Jahr ist kein gültiger Wert: erlaubt sind -4999 bis 7000", "1990", "7001"},
      {"47.5", "7.5", "0", "", "Jahr ist kein gültiger Wert: erlaubt sind -4999 bis 7000", "", "2000"},
  };
  for (const auto& c : cases) {
    hist_->Edit_Breite->setText(c.latitude);
    hist_->Edit_Laenge->setText(c.longitude);
    hist_->Edit_Hoehe->setText(c.height);
    hist_->Edit_Ort_Stadt->setText(QString::fromUtf8(c.name));
    hist_->ComboBox_von->setEditText(c.from);
    hist_->ComboBox_Bis->setEditText(c.to);
    bool started = true;
    const QString message = MessageOf([&] { started = hist_->StartCityHist(); });
    EXPECT_FALSE(started) << c.message;
    EXPECT_TRUE(message.startsWith(QString::fromUtf8(c.message))) << message.toStdString();
    EXPECT_EQ(hist_->Rows().rowCount(), 0);
    EXPECT_FALSE(hist_->Running());
  }
}

// A place and a year range: the records the engine gives, the name whole in the table and
// in the saved text; a range that runs backwards gives only
// the legend and "Fertig." ("Done."); neither hemisphere button checked (a stored choice of an older
// file) means south and east.
TEST_F(ListWindows, CityHistoryShowsAndSavesWhatTheEngineFinds) {
  hist_ = Following<CityHistoryWindow>();
  ParameterRecord p;  // stored years without a hemisphere button, as an older file may hold
  p.SetInt(param::kHistFromItem, 9);
  hist_->RestoreSettings(p);
  EXPECT_FALSE(hist_->RadioButton_Nord->isChecked() || hist_->RadioButton_Sued->isChecked());
  // A longitude from which the synthetic eclipses are seen.
  std::vector<std::string> records, saved;
  int east = -180;
  for (; east < 180 && records.empty(); east += 30) {
    CityHistInput input{&Startup().TheCatalogue, "Greenwich", -51.48 * DegToRad, -east * DegToRad, 45, 1900, 2050};
    records.clear();
    saved = CityHistLegend(0);
    CityHistCallbacks callbacks;
    callbacks.onResult = [&](const CityHistHit& hit) {
      records.push_back(hit.record);
      saved.push_back(hit.record);
    };
    const std::atomic<bool> never{false};
    RunCityHist(input, callbacks, never);
  }
  ASSERT_FALSE(records.empty());
  east -= 30;
  hist_->Edit_Ort_Stadt->setText("Greenwich");
  hist_->Edit_Breite->setText("51.48");
  hist_->Edit_Laenge->setText(QString::number(east));
  hist_->Edit_Hoehe->setText("45");
  hist_->ComboBox_von->setEditText("1900");  // typed, without the lists' "+"
  hist_->ComboBox_Bis->setCurrentText("+2050");
  RunAndWait(*hist_, [&] { ASSERT_TRUE(hist_->StartCityHist()); });
  EXPECT_TRUE(hist_->RadioButton_Sued->isChecked());
  EXPECT_TRUE(hist_->RadioButton_Ost->isChecked());
  EXPECT_EQ(Shown(*hist_), records);
  EXPECT_EQ(hist_->SavedText(), saved);
  EXPECT_EQ(hist_->StatusText(), "Fertig.");
  EXPECT_EQ(hist_->RichEdit_CityHist->model()->index(0, 3).data().toString(), "Greenwich");
  EXPECT_NE(saved.back().find("\tGreenwich\t"), std::string::npos) << saved.back();

  hist_->ComboBox_von->setCurrentText("+6000");
  hist_->ComboBox_Bis->setCurrentText("-4000");
  RunAndWait(*hist_, [&] { ASSERT_TRUE(hist_->StartCityHist()); });
  EXPECT_EQ(hist_->SavedText(), CityHistLegend(0));
  EXPECT_EQ(hist_->Rows().rowCount(), 0);
  EXPECT_EQ(hist_->StatusText(), "Fertig.");
}

// The calendar entry of the menu: named in each language, in the menu before the
// separator, enabled once a search has found eclipses, and writing one event per eclipse
// found; the status bar counts the events and the eclipses before the year 1 left out.
TEST_F(ListWindows, CityHistoryCalendarEntrySavesTheEclipsesFound) {
  std::vector<EclipseRecord> early;  // two eclipses a year from -4 to 3
  for (int i = 0; i < 16; ++i) {
    early.push_back(testing::LinearEclipse::Passing(1200).Record(-4 + i / 2, 3 + i % 2 * 6, 10, 20));
    early.back().JulianDayTT = DateToJD(early.back().Year, early.back().Month, 10, 20, 0, 0);
  }
  Startup().TheCatalogue = Catalogue(std::move(early));
  hist_ = Following<CityHistoryWindow>();
  const QList<QAction*> menu = hist_->Liste1->actions();
  ASSERT_EQ(menu.indexOf(hist_->Kalender1) + 1, menu.indexOf(hist_->N1));
  EXPECT_FALSE(hist_->Kalender1->isEnabled());
  const char* const captions[] = {"Als Kalender speichern \u2026", "Save as calendar \u2026",
                                  "Enregistrer comme calendrier \u2026"};
  for (std::uint8_t l = 0; l < 3; ++l) {
    testing::SwitchWindowLanguage(l);
    EXPECT_EQ(hist_->Kalender1->text().toStdString(), captions[l]);
  }
  testing::SwitchWindowLanguage(0);

  // A longitude from which some of the eclipses are seen.
  int east = -180, found = 0;
  for (; east < 180 && found == 0; east += 30) {
    CityHistInput input{&Startup().TheCatalogue, "Greenwich", 10 * DegToRad, -east * DegToRad, 0, -1000, 1000};
    CityHistCallbacks callbacks;
    callbacks.onResult = [&](const CityHistHit&) { ++found; };
    const std::atomic<bool> never{false};
    RunCityHist(input, callbacks, never);
  }
  ASSERT_GT(found, 1);
  east -= 30;
  hist_->Edit_Ort_Stadt->setText("Greenwich");
  hist_->Edit_Breite->setText("10");
  hist_->Edit_Laenge->setText(QString::number(east));
  hist_->ComboBox_von->setCurrentText("-1000");
  hist_->ComboBox_Bis->setCurrentText("+1000");
  RunAndWait(*hist_, [&] { ASSERT_TRUE(hist_->StartCityHist()); });
  EXPECT_TRUE(hist_->Kalender1->isEnabled());

  const fs::path ics = dir_ / "eclipses.ics";
  ASSERT_TRUE(hist_->SaveCalendarTo(QString::fromStdString(ics.string())));
  const std::string text = ReadFile(ics);
  int events = 0;
  for (std::size_t at = 0; (at = text.find("BEGIN:VEVENT", at)) != std::string::npos; ++at) ++events;
  const int omitted = found - events;
  EXPECT_GT(events, 0);
  EXPECT_GT(omitted, 0);
  EXPECT_EQ(text.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
  EXPECT_NE(text.find("LOCATION:Greenwich (10.0000\u00B0 N\\, "), std::string::npos);
  EXPECT_EQ(hist_->StatusText().toStdString(),
            "Kalender gespeichert: " + std::to_string(events) + " Finsternisse; " + std::to_string(omitted) +
                " vor dem Jahr 1 oder nach 9999 ausgelassen (im iCalendar-Format nicht darstellbar)");

  // A save that fails keeps the status and says why.
  const QString message =
      MessageOf([&] { EXPECT_FALSE(hist_->SaveCalendarTo(QString::fromStdString((dir_ / "no/such/x.ics").string()))); });
  EXPECT_FALSE(message.isEmpty());
  EXPECT_TRUE(hist_->StatusText().startsWith("Kalender gespeichert: "));

  // A search that finds nothing leaves the entry disabled.
  hist_->ComboBox_von->setCurrentText("+6000");
  RunAndWait(*hist_, [&] { ASSERT_TRUE(hist_->StartCityHist()); });
  EXPECT_FALSE(hist_->Kalender1->isEnabled());
}

TEST_F(ListWindows, TakingOverAPlaceFillsTheInputs) {
  WriteCityFile("Quito\t1399814\t-22\t-7852\tEcuador\nGuayaquil\t1952029\t-219\t-7988\tEcuador\n"
                "Macapá\t398204\t3\t-5107\tBrasilien\nLibreville\t578156\t39\t945\tGabun\n");
  hist_ = Following<CityHistoryWindow>();
  hist_->FillCountries();
  ASSERT_EQ(hist_->ComboBox_Land->count(), 3);
  const struct {
    const char* country;
    int place;
    const char* latitude;
    bool north;
    const char* longitude;
    bool east;
    const char* population;
  } cases[] = {
      {"Ecuador", 1, "2.19", false, "79.88", false, "1952029"},
      {"Brasilien", 0, "0.03", true, "51.07", false, "398204"},
      {"Gabun", 0, "0.39", true, "9.45", true, "578156"},
  };
  for (const auto& c : cases) {
    hist_->ComboBox_Land->setCurrentText(QString::fromUtf8(c.country));
    hist_->FillPlaces();
    hist_->ComboBox_Stadt->setCurrentIndex(c.place);
    hist_->TakeOverPlace();
    EXPECT_EQ(hist_->Edit_Ort_Land->text(), QString::fromUtf8(c.country));
    EXPECT_EQ(hist_->Edit_Breite->text(), c.latitude);
    EXPECT_EQ(hist_->RadioButton_Nord->isChecked(), c.north) << c.country;
    EXPECT_EQ(hist_->RadioButton_Sued->isChecked(), !c.north) << c.country;
    EXPECT_EQ(hist_->Edit_Laenge->text(), c.longitude);
    EXPECT_EQ(hist_->RadioButton_Ost->isChecked(), c.east) << c.country;
    EXPECT_EQ(hist_->Edit_Hoehe->text(), "0");
    EXPECT_EQ(hist_->Edit_Einwohner->text(), c.population);
  }
  // On the equator: zero is not north.
  WriteCityFile("Nullpunkt\t1\t0\t0\tMeer\n");
  hist_->FillCountries();  // the same file name: the list stays as it was read
  EXPECT_EQ(hist_->ComboBox_Land->count(), 3);
  InstallTranslations(1);  // another file: read anew
  std::ofstream(dir_ / kCityFileEnglish) << "Nullpunkt\t1\t0\t0\tSea\n";
  hist_->FillCountries();
  ASSERT_EQ(hist_->ComboBox_Land->count(), 1);
  hist_->ComboBox_Land->setCurrentIndex(0);
  hist_->FillPlaces();
  hist_->ComboBox_Stadt->setCurrentIndex(0);
  hist_->TakeOverPlace();
  EXPECT_TRUE(hist_->RadioButton_Sued->isChecked());
  EXPECT_TRUE(hist_->RadioButton_West->isChecked());

  // Namesakes in one country show their coordinates; the name taken over is the plain one.
  std::ofstream(dir_ / kCityFileEnglish) << "Aesch\t2600\t4747\t760\tSwitzerland\nBasel\t170000\t4756\t759\tSwitzerland\n"
                                            "Aesch\t1200\t4727\t860\tSwitzerland\nAesch\t800\t-100\t-7500\tSwitzerland\n";
  InstallTranslations(0);
  hist_->FillCountries();  // the German file: the English one is read anew below
  InstallTranslations(1);
  hist_->FillCountries();
  hist_->ComboBox_Land->setCurrentIndex(0);
  hist_->FillPlaces();
  QStringList choices;
  for (int i = 0; i < hist_->ComboBox_Stadt->count(); ++i) choices << hist_->ComboBox_Stadt->itemText(i);
  EXPECT_EQ(choices, (QStringList{QString::fromUtf8("Aesch (47°28'N 007°36'E)"), "Basel",
                                  QString::fromUtf8("Aesch (47°16'N 008°36'E)"), QString::fromUtf8("Aesch (01°00'S 075°00'W)")}));
  hist_->ComboBox_Stadt->setCurrentIndex(3);
  hist_->TakeOverPlace();
  EXPECT_EQ(hist_->Edit_Ort_Stadt->text(), "Aesch");
  EXPECT_EQ(hist_->Edit_Breite->text(), "1");
  EXPECT_TRUE(hist_->RadioButton_Sued->isChecked());

  // The place marked in the main window, whether its marker is shown or not.
  const struct {
    GeoPoint marked;
    bool shown;
    const char *latitude, *longitude;
    bool north, east;
  } marks[] = {{{-33.87, 151.21}, true, "33.87", "151.21", false, true},
               {{47.5, -7.25}, false, "47.5", "7.25", true, false},
               {{0, 0}, true, "0", "0", true, true}};
  for (const auto& m : marks) {
    state_->SetMarkedPlace(m.marked, m.shown);
    QTest::mouseClick(hist_->Button_Markierung, Qt::LeftButton);
    EXPECT_EQ(hist_->Edit_Ort_Stadt->text(), "Marked place");
    EXPECT_TRUE(hist_->Edit_Ort_Land->text().isEmpty());
    EXPECT_TRUE(hist_->Edit_Einwohner->text().isEmpty());
    EXPECT_EQ(hist_->Edit_Breite->text(), m.latitude);
    EXPECT_EQ(hist_->Edit_Laenge->text(), m.longitude);
    EXPECT_EQ(hist_->RadioButton_Nord->isChecked(), m.north) << m.latitude;
    EXPECT_EQ(hist_->RadioButton_Ost->isChecked(), m.east) << m.longitude;
    EXPECT_EQ(hist_->Edit_Hoehe->text(), "0");
  }
}

// What the user does in a save dialog: types a name and presses Enter; when a question
// comes up it is answered, and a dialog still open after a "No" is cancelled. Returns the
// question's text (empty when none was asked).
QString TypeInSaveDialog(const std::function<void()>& open, const QString& typed, bool replace) {
  QString question;
  bool typedName = false;
  QTimer user;
  user.setInterval(10);
  QObject::connect(&user, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      question = box->text();
      box->button(replace ? QMessageBox::Yes : QMessageBox::No)->click();
    } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
      if (typedName) {
        dialog->reject();  // still open after the question was answered "No"
        return;
      }
      auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
      if (!name) return;
      name->setText(typed);
      typedName = true;
      // From the event loop: the question it may bring runs its own loop, where this timer
      // must be free to answer it.
      QTimer::singleShot(0, name, [name] { QTest::keyClick(name, Qt::Key_Return); });
    }
  });
  user.start();
  open();
  return question;
}

// The three save dialogs of the list windows add their extension to a name typed without
// one, keep a name that has one, and ask before replacing the file that will be written
// (not a file of the typed name).
TEST_F(ListWindows, SaveDialogsAddTheExtensionAndAskAboutTheFileWritten) {
  std::vector<EclipseRecord> records;  // two eclipses a year from 2000 on
  for (int i = 0; i < 40; ++i) {
    records.push_back(testing::LinearEclipse::Passing(1200).Record(2000 + i / 2, 3 + i % 2 * 6, 10, 20));
    records.back().JulianDayTT = DateToJD(records.back().Year, records.back().Month, 10, 20, 0, 0);
  }
  Startup().TheCatalogue = Catalogue(std::move(records));
  const QByteArray home = qgetenv("HOME");
  qputenv("HOME", QByteArray::fromStdString(dir_.string()));
  struct HomeBack {
    QByteArray home;
    ~HomeBack() { qputenv("HOME", home); }
  } homeBack{home};
  WriteCityFile(RoundTheWorld({5000}));
  list_ = Following<CityListWindow>();
  hist_ = Following<CityHistoryWindow>();
  list_->ComboBox_Population->setCurrentIndex(9);
  RunAndWait(*list_, [&] { QTest::mouseClick(list_->Button_Start_CityList, Qt::LeftButton); });
  ASSERT_GT(list_->SavedText().size(), CityListLegend(0).size());
  hist_->Edit_Breite->setText("0");
  hist_->Edit_Hoehe->setText("0");
  hist_->ComboBox_von->setCurrentText("+2000");
  hist_->ComboBox_Bis->setCurrentText("+2050");
  for (int east = -180; east < 180 && !hist_->Kalender1->isEnabled(); east += 30) {
    hist_->Edit_Laenge->setText(QString::number(std::abs(east)));
    (east < 0 ? hist_->RadioButton_West : hist_->RadioButton_Ost)->setChecked(true);
    RunAndWait(*hist_, [&] { ASSERT_TRUE(hist_->StartCityHist()); });
  }
  ASSERT_TRUE(hist_->Kalender1->isEnabled());
  const std::string listText = JoinCrLf(list_->SavedText()), histText = JoinCrLf(hist_->SavedText());

  enum Save { kList, kHistText, kCalendar };
  const struct {
    Save save;
    const char* typed;
    std::vector<std::pair<const char*, const char*>> before;  // files there before, with their content
    bool replace;                                              // the answer to a question
    const char* question;                                      // the file it names; null: none asked
    const char* written;                                       // null: nothing written
  } cases[] = {
      {kList, "orte", {}, true, nullptr, "orte.txt"},
      {kList, "orte.dat", {}, true, nullptr, "orte.dat"},
      {kHistText, "verlauf", {{"verlauf.txt", "old"}}, true, "verlauf.txt", "verlauf.txt"},
      {kHistText, "verlauf", {{"verlauf", "keep"}}, true, nullptr, "verlauf.txt"},
      {kHistText, "verlauf", {{"verlauf.txt", "old"}}, false, "verlauf.txt", nullptr},
      {kCalendar, "kalender", {}, true, nullptr, "kalender.ics"},
      {kCalendar, "kalender", {{"kalender.ics", "old"}}, false, "kalender.ics", nullptr},
      {kCalendar, "termine.txt", {}, true, nullptr, "termine.txt"},
  };
  for (const auto& c : cases) {
    const std::string row = std::to_string(c.save) + " " + c.typed;
    for (const auto& entry : fs::directory_iterator(dir_))
      if (entry.is_regular_file() && entry.path().filename() != kCityFileGerman) fs::remove(entry.path());
    for (const auto& [name, content] : c.before) std::ofstream(dir_ / name) << content;
    QAction* action = c.save == kList ? list_->Speichern1 : c.save == kHistText ? hist_->Speichern1 : hist_->Kalender1;
    const QString question = TypeInSaveDialog([&] { action->trigger(); }, c.typed, c.replace);
    if (c.question) {
      EXPECT_TRUE(question.contains(QString(c.question) + " ")) << row << ": " << question.toStdString();
    } else {
      EXPECT_TRUE(question.isEmpty()) << row << ": " << question.toStdString();
    }
    // Every file of the folder: those there before, untouched unless written, and the one written.
    std::set<std::string> expected;
    for (const auto& [name, content] : c.before) {
      expected.insert(name);
      if (!c.written || name != std::string(c.written)) {
        EXPECT_EQ(ReadFile(dir_ / name), content) << row;
      }
    }
    if (c.written) {
      expected.insert(c.written);
      const std::string text = ReadFile(dir_ / c.written);
      if (c.save == kCalendar) {
        EXPECT_EQ(text.rfind("BEGIN:VCALENDAR\r\n", 0), 0u) << row;
      } else {
        EXPECT_EQ(text, c.save == kList ? listText : histText) << row;
      }
    }
    std::set<std::string> present;
    for (const auto& entry : fs::directory_iterator(dir_))
      if (entry.is_regular_file() && entry.path().filename() != kCityFileGerman)
        present.insert(entry.path().filename().string());
    EXPECT_EQ(present, expected) << row;
  }
}

// The city history's first use: with nothing stored the search looks at the northern and
// eastern hemispheres from this year to 50 years on; what a user chose is restored as it
// was, also the first items of the lists and a pair without a button; and the first use's
// years are stored so that the next start offers them again.
TEST_F(ListWindows, CityHistoryFirstUseLooksNorthEastFromThisYearAndStoredChoicesStay) {
  const int year = QDate::currentDate().year();
  QSettings(ListWindow::LayoutSettingsFile(), QSettings::IniFormat).remove("CityHistory");  // no year typed before
  const auto itemText = [](int y) { return y > 0 ? QString("+%1").arg(y) : QString::number(y); };
  const struct {
    const char* row;
    std::function<void(ParameterRecord&)> stored;
    const char* checked;  // the hemisphere buttons checked: N, S, E, W or blank
    QString from, to;
  } cases[] = {
      {"new file", [](ParameterRecord&) {}, "NE", itemText(year), itemText(year + 50)},
      {"south-west, all years",
       [](ParameterRecord& p) {
         p.SetFlag(param::kHistSouth, true);
         p.SetFlag(param::kHistWest, true);
         p.SetInt(param::kHistToItem, 13);
       },
       "SW", "-4999", "+7000"},
      {"north, the first years",
       [](ParameterRecord& p) { p.SetFlag(param::kHistNorth, true); }, "N", "-4999", "-4000"},
      {"years without hemispheres",
       [](ParameterRecord& p) {
         p.SetInt(param::kHistFromItem, 10);
         p.SetInt(param::kHistToItem, 9);
       },
       "", "+3000", "+3000"},
      {"this year stored", [](ParameterRecord& p) {
         p.SetFlag(param::kHistEast, true);
         p.SetInt(param::kHistFromItem, 14);
         p.SetInt(param::kHistToItem, 14);
       }, "E", itemText(year), itemText(year + 50)},
  };
  for (const auto& c : cases) {
    ParameterRecord p = DefaultParameterRecord("1.0");
    c.stored(p);
    for (int round = 0; round < 2; ++round) {  // as restored, then stored and restored again
      CityHistoryWindow hist;
      hist.RestoreSettings(p);
      const std::string at = std::string(c.row) + (round ? " (stored again)" : "");
      std::string checked;
      if (hist.RadioButton_Nord->isChecked()) checked += 'N';
      if (hist.RadioButton_Sued->isChecked()) checked += 'S';
      if (hist.RadioButton_Ost->isChecked()) checked += 'E';
      if (hist.RadioButton_West->isChecked()) checked += 'W';
      EXPECT_EQ(checked, c.checked) << at;
      EXPECT_EQ(hist.ComboBox_von->currentText(), c.from) << at;
      EXPECT_EQ(hist.ComboBox_Bis->currentText(), c.to) << at;
      hist.StoreSettings(p);
    }
  }
  // Years typed that are none of the quick choices come back as typed; a quick choice
  // typed is stored as its item.
  const struct {
    const char *from, *to;
    int fromItem, toItem;
    QString shownFrom, shownTo;
  } typed[] = {{"1990", "+2001", 14, 14, "+1990", "+2001"},
               {"-4999", "-1", 0, 14, "-4999", "-1"},
               {"1900", "7000", 7, 13, "+1900", "+7000"}};
  for (const auto& t : typed) {
    ParameterRecord p = DefaultParameterRecord("1.0");
    p.SetFlag(param::kHistNorth, true);
    CityHistoryWindow hist;
    hist.ComboBox_von->setEditText(t.from);
    hist.ComboBox_Bis->setEditText(t.to);
    hist.StoreSettings(p);
    EXPECT_EQ(p.Int(param::kHistFromItem), t.fromItem) << t.from;
    EXPECT_EQ(p.Int(param::kHistToItem), t.toItem) << t.to;
    CityHistoryWindow again;
    again.RestoreSettings(p);
    EXPECT_EQ(again.ComboBox_von->currentText(), t.shownFrom) << t.from;
    EXPECT_EQ(again.ComboBox_Bis->currentText(), t.shownTo) << t.to;
  }

  // The trap of the issue: 47.5 and 7.5 typed on a first use and Start pressed.
  hist_ = Following<CityHistoryWindow>();
  hist_->RestoreSettings(DefaultParameterRecord("1.0"));
  hist_->Edit_Breite->setText("47.5");
  hist_->Edit_Laenge->setText("7.5");
  hist_->Edit_Hoehe->setText("0");
  RunAndWait(*hist_, [&] { ASSERT_TRUE(hist_->StartCityHist()); });
  CityHistInput input{&Startup().TheCatalogue, "", 47.5 * DegToRad, -7.5 * DegToRad, 0, year, year + 50};
  std::vector<std::string> saved = CityHistLegend(0);
  CityHistCallbacks callbacks;
  callbacks.onResult = [&](const CityHistHit& hit) { saved.push_back(hit.record); };
  const std::atomic<bool> never{false};
  RunCityHist(input, callbacks, never);
  EXPECT_GT(saved.size(), CityHistLegend(0).size());
  EXPECT_EQ(hist_->SavedText(), saved);
}

// Tab moves through each list window's controls in their reading order, then into the list,
// and out of it again.
TEST_F(ListWindows, TabFollowsTheReadingOrder) {
  list_ = Following<CityListWindow>();
  hist_ = Following<CityHistoryWindow>();
  hist_->RestoreSettings(DefaultParameterRecord("1.0"));  // North and East checked
  const struct {
    ListWindow* window;
    std::vector<const char*> order;
  } cases[] = {
      {list_.get(), {"ComboBox_Population", "Button_Start_CityList", "Button_Beenden", "RichEdit_CityList"}},
      {hist_.get(),
       {"ComboBox_Land", "ComboBox_Stadt", "Button_Uebernehmen", "Button_Markierung", "Edit_Ort_Land", "Edit_Ort_Stadt", "Edit_Breite",
        "RadioButton_Nord", "Edit_Laenge", "RadioButton_Ost", "Edit_Hoehe", "ComboBox_von", "ComboBox_Bis",
        "Button_Start_CityHist", "Button_Beenden", "RichEdit_CityHist"}},
  };
  for (const auto& c : cases) {
    c.window->show();
    c.window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(c.window));
    c.window->findChild<QWidget*>(c.order.front())->setFocus(Qt::TabFocusReason);
    std::vector<std::string> visited;
    for (std::size_t i = 0; i < c.order.size(); ++i) {
      QWidget* focus = QApplication::focusWidget();
      visited.push_back(focus ? focus->objectName().toStdString() : "(none)");
      QTest::keyClick(focus ? focus : c.window, Qt::Key_Tab);
    }
    EXPECT_EQ(visited, std::vector<std::string>(c.order.begin(), c.order.end()));
    // The read-only list does not keep the Tab key: it goes round to the controls again.
    QWidget* after = QApplication::focusWidget();
    EXPECT_TRUE(after && after != c.window->findChild<QWidget*>(c.order.back())) << (after ? after->objectName().toStdString() : "");
    c.window->hide();
  }
}

// A list window whose work throws after two lines, as a run that meets an out-of-memory
// error would.
class FailingListWindow : public ListWindow {
 public:
  FailingListWindow() : ListWindow(nullptr, QSize(900, 400), 100, "failing.txt", CityHistColumns(), "Failing") {
    Start = new QPushButton("Start", Content());
  }
  ~FailingListWindow() override { AbandonRun(); }
  void Go() {
    StartRun(
        Start, {"legend"},
        [](ListRun& run) {
          run.Add("line 1", "record 1");
          run.Add("line 2", "record 2");
          throw std::bad_alloc();
        },
        [this] { failedAtFinish = RunFailed(); });
  }
  QPushButton* Start;
  bool failedAtFinish = false;
};

TEST_F(ListWindows, AnExceptionInTheWorkerEndsTheRunInTheStatusBarAndKeepsItsLines) {
  FailingListWindow window;
  window.show();
  testing::SwitchWindowLanguage(1);
  RunAndWait(window, [&] { window.Go(); });
  EXPECT_TRUE(window.failedAtFinish);
  EXPECT_EQ(window.StatusText().toStdString(),
            "The run ended on an error: std::bad_alloc. The lines found so far are kept.");
  EXPECT_EQ(Shown(window), (std::vector<std::string>{"record 1", "record 2"}));
  EXPECT_EQ(window.SavedText(), (std::vector<std::string>{"legend", "record 1", "record 2"}));
  EXPECT_TRUE(window.Start->isEnabled());
  EXPECT_FALSE(window.Running());
}

// A record whose Moon stands still: no refinement of its contacts converges. Both windows
// say so in the status bar, with the count the engine gives, as the command line does.
TEST_F(ListWindows, ContactsThatDidNotConvergeAreCountedInTheStatusBar) {
  EclipseRecord still = testing::LinearEclipse::Passing(300).Record(2000, 3, 10, 20);
  still.X.c = {100, 0, 0, 0};
  still.Y.c = {0, 0, 0, 0};
  still.JulianDayTT = DateToJD(2000, 3, 10, 20, 0, 0);
  Select(still);
  Startup().TheCatalogue = Catalogue(std::vector<EclipseRecord>(7, still));
  WriteCityFile(RoundTheWorld({5000}));

  list_ = Following<CityListWindow>();
  list_->ComboBox_Population->setCurrentIndex(9);
  RunAndWait(*list_, [&] { QTest::mouseClick(list_->Button_Start_CityList, Qt::LeftButton); });
  CityListInput input{still, (dir_ / kCityFileGerman).string(), 9};
  const std::atomic<bool> never{false};
  const CityListOutcome listed = RunCityList(input, {}, never);
  ASSERT_GT(listed.unconverged, 0);
  EXPECT_TRUE(list_->StatusText().endsWith(
      QString("%1 Ort(e) mit einem Kontakt, dessen Berechnung nicht konvergierte").arg(listed.unconverged)))
      << list_->StatusText().toStdString();

  hist_ = Following<CityHistoryWindow>();
  hist_->Edit_Breite->setText("10");
  hist_->Edit_Laenge->setText("10");
  hist_->Edit_Hoehe->setText("0");
  hist_->ComboBox_von->setCurrentText("+1950");
  hist_->ComboBox_Bis->setCurrentText("+2050");
  RunAndWait(*hist_, [&] { ASSERT_TRUE(hist_->StartCityHist()); });
  EXPECT_EQ(hist_->StatusText(),
            QString::fromUtf8("Fertig.  –  7 Finsternis(se) mit einem Kontakt, dessen Berechnung nicht konvergierte"));
  // Said again in the language switched to.
  const char* const notes[] = {"Fertig.  –  7 Finsternis(se) mit einem Kontakt, dessen Berechnung nicht konvergierte",
                               "Done.  –  7 eclipse(s) with a contact whose refinement did not converge",
                               "Terminé.  –  7 éclipse(s) avec un contact dont le calcul n'a pas convergé"};
  for (const std::uint8_t l : {2, 1, 0}) {
    testing::SwitchWindowLanguage(l);
    EXPECT_EQ(hist_->StatusText(), QString::fromUtf8(notes[l])) << int(l);
  }
}

// Each list window stops only its own run: the stop of the city list leaves a running
// city history alone, and the exit ends both. The history runs over twice the catalogue's
// size, so that it lasts about a second here, well beyond the list's stop.
TEST_F(ListWindows, StoppingOneListWindowLeavesTheOtherRunning) {
  std::vector<EclipseRecord> many;
  for (int i = 0; i < 58000; ++i)
    many.push_back(testing::LinearEclipse::Passing(1200).Record(-4999 + i * 12000 / 58000, 3, 10, 20));
  Startup().TheCatalogue = Catalogue(std::move(many));
  std::string big;
  for (int k = 0; k < 40; ++k) big += RoundTheWorld({3000, 3000, 3000, 3000, 3000, 3000, 3000, 3000});
  WriteCityFile(big);
  auto main = std::make_unique<MainWindow>();
  hist_ = Following<CityHistoryWindow>();
  list_ = Following<CityListWindow>();
  main->AttachListWindows(hist_.get(), list_.get());
  hist_->show();
  list_->show();
  hist_->ComboBox_von->setCurrentText("-4999");
  hist_->ComboBox_Bis->setCurrentText("+7000");
  ASSERT_TRUE(hist_->StartCityHist());
  list_->ComboBox_Population->setCurrentIndex(9);
  RunAndWait(*list_, [&] {
    QTest::mouseClick(list_->Button_Start_CityList, Qt::LeftButton);
    QTest::mouseClick(list_->Button_Beenden, Qt::LeftButton);
  });
  EXPECT_TRUE(hist_->Running()) << "the city list's stop ended the city history";
  QSignalSpy histFinished(hist_.get(), &ListWindow::runFinished);
  main->close();
  EXPECT_FALSE(hist_->Running());
  EXPECT_EQ(histFinished.count(), 1);
  EXPECT_LT(hist_->SavedText().size(), CityHistLegend(0).size() + 58000);
  main.reset();
}

// The exit during a history run: the run ends, what it found stays, and the inputs and
// places of both list windows go into the parameter record; restored, they come back the same.
TEST_F(ListWindows, ClosingTheMainWindowStopsARunAndStoresBothWindows) {
  std::vector<EclipseRecord> many;
  for (int i = 0; i < 29000; ++i)
    many.push_back(testing::LinearEclipse::Passing(1200).Record(-4999 + i * 12000 / 29000, 3, 10, 20));
  Startup().TheCatalogue = Catalogue(std::move(many));
  Startup().Parameters = DefaultParameterRecord("1.0");
  auto main = std::make_unique<MainWindow>();
  hist_ = Following<CityHistoryWindow>();
  list_ = Following<CityListWindow>();
  main->AttachListWindows(hist_.get(), list_.get());
  main->show();
  hist_->RestoreSettings(Startup().Parameters);
  list_->RestoreSettings(Startup().Parameters);
  // Within the offscreen screen of 800 x 600 pixels.
  hist_->move(110, 60);
  hist_->resize(600, 400);
  list_->move(130, 80);
  list_->resize(500, 380);
  list_->ComboBox_Population->setCurrentIndex(4);
  hist_->Edit_Ort_Stadt->setText("Zürich");
  hist_->Edit_Breite->setText("47.37");
  hist_->Edit_Laenge->setText("8.54");
  hist_->Edit_Hoehe->setText("408");
  hist_->RadioButton_Nord->setChecked(true);
  hist_->RadioButton_Ost->setChecked(true);
  hist_->ComboBox_von->setCurrentText("-4999");
  hist_->ComboBox_Bis->setCurrentText("+7000");
  ASSERT_TRUE(hist_->StartCityHist());
  main->close();
  EXPECT_FALSE(hist_->Running());
  EXPECT_LT(hist_->SavedText().size(), CityHistLegend(0).size() + 29000);
  const ParameterRecord& p = Startup().Parameters;
  EXPECT_EQ(p.ShortString(param::kHistPlace), "Zürich");
  EXPECT_EQ(p.ShortString(param::kHistLatitude), "47.37");
  EXPECT_TRUE(p.Flag(param::kHistNorth));
  EXPECT_TRUE(p.Flag(param::kHistEast));
  EXPECT_EQ(p.Int(param::kHistToItem), 13);
  EXPECT_EQ(p.Int(param::kListPopulation), 4);

  CityHistoryWindow hist2;
  CityListWindow list2;
  hist2.RestoreSettings(p);
  list2.RestoreSettings(p);
  EXPECT_EQ(hist2.pos(), QPoint(110, 60));
  EXPECT_EQ(hist2.size(), QSize(600, 400));
  EXPECT_EQ(list2.pos(), QPoint(130, 80));
  EXPECT_EQ(list2.size(), QSize(500, 380));
  EXPECT_EQ(hist2.Edit_Hoehe->text(), "408");
  EXPECT_EQ(list2.ComboBox_Population->currentIndex(), 4);
  main.reset();

  // The widths the user gave the columns come back in the next window (our own settings
  // file, not the parameter record).
  {
    CityListWindow widened;
    widened.RichEdit_CityList->setColumnWidth(3, 345);
  }
  CityListWindow list3;
  EXPECT_EQ(list3.RichEdit_CityList->columnWidth(3), 345);
}

// A FIFO in place of the city file: neither window waits for a writer; each names the
// file and the reason, and shows nothing.
TEST_F(ListWindows, AFifoInPlaceOfTheCityFileIsNamedAndNeverWaitedFor) {
  const std::string fifo = (dir_ / kCityFileGerman).string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const QString reason = "Die Ortsdatei " + QString::fromStdString(fifo) +
                         QString::fromUtf8(" kann nicht gelesen werden: es ist keine gewöhnliche Datei (ein FIFO).");
  list_ = Following<CityListWindow>();
  const QString listMessage = MessageOf(
      [&] { RunAndWait(*list_, [&] { QTest::mouseClick(list_->Button_Start_CityList, Qt::LeftButton); }); });
  EXPECT_TRUE(listMessage.contains(reason)) << listMessage.toStdString();
  EXPECT_EQ(list_->Rows().rowCount(), 0);
  hist_ = Following<CityHistoryWindow>();
  const QString histMessage = MessageOf([&] { hist_->FillCountries(); });
  EXPECT_TRUE(histMessage.contains(reason)) << histMessage.toStdString();
  EXPECT_EQ(hist_->ComboBox_Land->count(), 0);
}

}  // namespace
}  // namespace varomintel
