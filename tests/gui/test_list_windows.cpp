// The city-list and city-history windows driven offscreen as a user would: runs on small
// city files and catalogues compared with what the engines give for the same input, stop,
// save, the input checks, the taken-over place, and the settings they keep.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <set>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>

#include "../support/synthetic_eclipse.h"
#include "app/parameter_file.h"
#include "app/varomintel_variables.h"
#include "astro/calendar.h"
#include "astro/trig_func.h"
#include "gui/lists/Varomintel_Unit_CityHist.h"
#include "gui/lists/Varomintel_Unit_CityList.h"
#include "gui/main/Varomintel_Unit_Main.h"
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
    VaromintelVariables& v = Vars();
    v = VaromintelVariables{};
    v.ProgramDir = dir_.string() + "/";
    v.LanguageIndex = 0;  // German: the city file Top191744_DE.txt
    v.CurrentEclipse = testing::LinearEclipse::Passing(1200).Record();
    std::vector<EclipseRecord> records;
    for (int i = 0; i < 600; ++i) {  // two eclipses a year from 1800 on
      records.push_back(testing::LinearEclipse::Passing(i % 3 ? 1200 : 4500).Record(1800 + i / 2, 3 + i % 2 * 6, 10, 20));
      records.back().JulianDayTT = DateToJD(records.back().Year, records.back().Month, 10, 20, 0, 0);
    }
    v.TheCatalogue = Catalogue(std::move(records));
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
  static std::vector<std::string> ScreenLines(QPlainTextEdit* list) {
    std::vector<std::string> lines;
    const QString text = list->toPlainText();
    if (text.isEmpty()) return lines;
    for (const QString& l : text.split('\n')) lines.push_back(l.toStdString());
    return lines;
  }
  std::string ReadFile(const fs::path& p) const {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }

  fs::path dir_;
  std::unique_ptr<TForm_CityList> list_;
  std::unique_ptr<TForm_CityHist> hist_;
};

// The window shows and saves exactly what the engine finds, for the thresholds whose
// meaning is easy to get wrong: item 8 reads 2'500 but means 2000, item 9 takes every
// place, population 0 included.
TEST_F(ListWindows, CityListShowsAndSavesWhatTheEngineFinds) {
  WriteCityFile(RoundTheWorld({2000, 1999, 0, 1000000}));
  list_ = std::make_unique<TForm_CityList>();
  const struct {
    int item;
    std::vector<int> populationsListed;
  } cases[] = {{8, {2000, 1000000}}, {9, {2000, 1999, 0, 1000000}}, {0, {1000000}}};
  for (const auto& c : cases) {
    list_->ComboBox_Population->setCurrentIndex(c.item);
    RunAndWait(*list_, [&] { QTest::mouseClick(list_->Button_Start_CityList, Qt::LeftButton); });
    CityListInput input{Vars().CurrentEclipse, (dir_ / kCityFileGerman).string(), c.item};
    std::vector<std::string> lines, saved = CityListLegend(0);
    std::set<int> populations;
    CityListCallbacks callbacks;
    callbacks.onResult = [&](const CityListHit& hit) {
      lines.push_back(hit.line);
      saved.push_back(hit.record);
      populations.insert(hit.place.Population);
    };
    const std::atomic<bool> never{false};
    const CityListOutcome outcome = RunCityList(input, callbacks, never);
    ASSERT_GT(outcome.counts.found, 0) << c.item;
    EXPECT_EQ(ScreenLines(list_->RichEdit_CityList), lines) << c.item;
    EXPECT_EQ(list_->SavedText(), saved) << c.item;
    EXPECT_EQ(std::vector<int>(populations.begin(), populations.end()),
              [&] { auto p = c.populationsListed; std::sort(p.begin(), p.end()); return p; }())
        << c.item;
    EXPECT_EQ(list_->StatusText().toStdString(), CityListStatus(outcome.counts.scanned, outcome.counts.found, 0));
    EXPECT_TRUE(list_->Button_Start_CityList->isEnabled());
    ASSERT_TRUE(list_->SaveTo(QString::fromStdString((dir_ / "saved.txt").string())));
    EXPECT_EQ(ReadFile(dir_ / "saved.txt"), JoinCrLf(saved));
  }
}

TEST_F(ListWindows, SavingBeforeAnyRunWritesAnEmptyFileAndAFailedSaveKeepsTheOldFile) {
  WriteCityFile(RoundTheWorld({5000}));
  list_ = std::make_unique<TForm_CityList>();
  hist_ = std::make_unique<TForm_CityHist>();
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
  list_ = std::make_unique<TForm_CityList>();
  list_->show();
  list_->ComboBox_Population->setCurrentIndex(9);
  RunAndWait(*list_, [&] {
    QTest::mouseClick(list_->Button_Start_CityList, Qt::LeftButton);
    QTest::mouseClick(list_->Button_Beenden, Qt::LeftButton);
  });
  EXPECT_FALSE(list_->isVisible());
  const std::vector<std::string> shown = ScreenLines(list_->RichEdit_CityList);
  const std::vector<std::string>& saved = list_->SavedText();
  const std::size_t legend = CityListLegend(0).size();
  ASSERT_GE(saved.size(), legend);
  EXPECT_EQ(saved.size() - legend, shown.size());
  EXPECT_LT(shown.size(), 40u * 24 * 8 / 2) << "the run was not stopped";
}

TEST_F(ListWindows, AMalformedCityLineEndsTheRunWithTheParsersMessageAndKeepsTheLinesSoFar) {
  WriteCityFile(RoundTheWorld({3000}) + "Bad\t12x\t0\t0\tLand\n" + RoundTheWorld({3000}));
  list_ = std::make_unique<TForm_CityList>();
  list_->ComboBox_Population->setCurrentIndex(9);
  // The message box opens when the run has ended, inside the wait.
  const QString message = MessageOf(
      [&] { RunAndWait(*list_, [&] { QTest::mouseClick(list_->Button_Start_CityList, Qt::LeftButton); }); });
  EXPECT_TRUE(message.contains("line 25: '12x' is not a valid integer value")) << message.toStdString();
  const std::vector<std::string> shown = ScreenLines(list_->RichEdit_CityList);
  EXPECT_FALSE(shown.empty());
  for (const std::string& line : shown) EXPECT_EQ(line.find("Bad"), std::string::npos);
}

TEST_F(ListWindows, CityHistoryChecksItsInputsInOrderAndNamesTheField) {
  hist_ = std::make_unique<TForm_CityHist>();
  hist_->RichEdit_CityHist->setPlainText("earlier results");
  const struct {
    const char* latitude;
    const char* longitude;
    const char* height;
    const char* name;
    const char* message;
  } cases[] = {
      {"abc", "x", "y", "", "Geogr. Breite ist kein gültiger Wert"},
      {"47.5", "7,5", "y", "", "Geogr. Länge ist kein gültiger Wert"},
      {"47.5", "7.5", "1,5", "", "Höhe ist kein gültiger Wert"},
      {"91", "7.5", "0", "", "Geogr. Breite ist kein gültiger Wert"},
      {"47.5", "180.5", "0", "", "Geogr. Länge ist kein gültiger Wert"},
      {"47.5", "7.5", "0", "A\tB", "Ort/Stadt ist kein gültiger Wert"},
  };
  for (const auto& c : cases) {
    hist_->Edit_Breite->setText(c.latitude);
    hist_->Edit_Laenge->setText(c.longitude);
    hist_->Edit_Hoehe->setText(c.height);
    hist_->Edit_Ort_Stadt->setText(QString::fromUtf8(c.name));
    bool started = true;
    const QString message = MessageOf([&] { started = hist_->StartCityHist(); });
    EXPECT_FALSE(started) << c.message;
    EXPECT_TRUE(message.startsWith(QString::fromUtf8(c.message))) << message.toStdString();
    EXPECT_EQ(hist_->RichEdit_CityHist->toPlainText(), "earlier results");
    EXPECT_FALSE(hist_->Running());
  }
}

// A place and a year range: the lines and records the engine gives; the name cut to five
// characters on screen and whole in the saved text; a range that runs backwards gives only
// the legend and "Done."; neither hemisphere button checked means south and east.
TEST_F(ListWindows, CityHistoryShowsAndSavesWhatTheEngineFinds) {
  hist_ = std::make_unique<TForm_CityHist>();
  ParameterRecord p;  // a new file: no hemisphere buttons, the first items of both year lists
  hist_->RestoreSettings(p);
  EXPECT_FALSE(hist_->RadioButton_Nord->isChecked() || hist_->RadioButton_Sued->isChecked());
  // A longitude from which the synthetic eclipses are seen.
  std::vector<std::string> lines, saved;
  int east = -180;
  for (; east < 180 && lines.empty(); east += 30) {
    CityHistInput input{&Vars().TheCatalogue, "Greenwich", -51.48 * DegToRad, -east * DegToRad, 45, 1900, 2050};
    lines.clear();
    saved = CityHistLegend(0);
    CityHistCallbacks callbacks;
    callbacks.onResult = [&](const CityHistHit& hit) {
      lines.push_back(hit.line);
      saved.push_back(hit.record);
    };
    const std::atomic<bool> never{false};
    RunCityHist(input, callbacks, never);
  }
  ASSERT_FALSE(lines.empty());
  east -= 30;
  hist_->Edit_Ort_Stadt->setText("Greenwich");
  hist_->Edit_Breite->setText("51.48");
  hist_->Edit_Laenge->setText(QString::number(east));
  hist_->Edit_Hoehe->setText("45");
  hist_->ComboBox_von->setCurrentText("+1900");
  hist_->ComboBox_Bis->setCurrentText("+2050");
  RunAndWait(*hist_, [&] { ASSERT_TRUE(hist_->StartCityHist()); });
  EXPECT_TRUE(hist_->RadioButton_Sued->isChecked());
  EXPECT_TRUE(hist_->RadioButton_Ost->isChecked());
  EXPECT_EQ(ScreenLines(hist_->RichEdit_CityHist), lines);
  EXPECT_EQ(hist_->SavedText(), saved);
  EXPECT_EQ(hist_->StatusText(), "Done.");
  EXPECT_NE(lines.front().find(" Green "), std::string::npos) << lines.front();
  EXPECT_NE(saved.back().find("\tGreenwich\t"), std::string::npos) << saved.back();

  hist_->ComboBox_von->setCurrentText("+6000");
  hist_->ComboBox_Bis->setCurrentText("-4000");
  RunAndWait(*hist_, [&] { ASSERT_TRUE(hist_->StartCityHist()); });
  EXPECT_EQ(hist_->SavedText(), CityHistLegend(0));
  EXPECT_TRUE(hist_->RichEdit_CityHist->toPlainText().isEmpty());
  EXPECT_EQ(hist_->StatusText(), "Done.");
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
  Vars().TheCatalogue = Catalogue(std::move(early));
  hist_ = std::make_unique<TForm_CityHist>();
  const QList<QAction*> menu = hist_->Liste1->actions();
  ASSERT_EQ(menu.indexOf(hist_->Kalender1) + 1, menu.indexOf(hist_->N1));
  EXPECT_FALSE(hist_->Kalender1->isEnabled());
  const char* const captions[] = {"Als Kalender speichern \u2026", "Save as calendar \u2026",
                                  "Enregistrer comme calendrier \u2026"};
  for (std::uint8_t l = 0; l < 3; ++l) {
    hist_->ApplyLanguage(l);
    EXPECT_EQ(hist_->Kalender1->text().toStdString(), captions[l]);
  }
  hist_->ApplyLanguage(0);

  // A longitude from which some of the eclipses are seen.
  int east = -180, found = 0;
  for (; east < 180 && found == 0; east += 30) {
    CityHistInput input{&Vars().TheCatalogue, "Greenwich", 10 * DegToRad, -east * DegToRad, 0, -1000, 1000};
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
  hist_ = std::make_unique<TForm_CityHist>();
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
  Vars().LanguageIndex = 1;  // another file: read anew
  std::ofstream(dir_ / kCityFileEnglish) << "Nullpunkt\t1\t0\t0\tSea\n";
  hist_->FillCountries();
  ASSERT_EQ(hist_->ComboBox_Land->count(), 1);
  hist_->ComboBox_Land->setCurrentIndex(0);
  hist_->FillPlaces();
  hist_->ComboBox_Stadt->setCurrentIndex(0);
  hist_->TakeOverPlace();
  EXPECT_TRUE(hist_->RadioButton_Sued->isChecked());
  EXPECT_TRUE(hist_->RadioButton_West->isChecked());
}

// The exit during a history run: the run ends, what it found stays, and the inputs and
// places of both list windows go into the parameter record; restored, they come back the same.
TEST_F(ListWindows, ClosingTheMainWindowStopsARunAndStoresBothWindows) {
  std::vector<EclipseRecord> many;
  for (int i = 0; i < 29000; ++i)
    many.push_back(testing::LinearEclipse::Passing(1200).Record(-4999 + i * 12000 / 29000, 3, 10, 20));
  Vars().TheCatalogue = Catalogue(std::move(many));
  Vars().Parameters = DefaultParameterRecord("1.0");
  auto main = std::make_unique<TForm_Main>();
  hist_ = std::make_unique<TForm_CityHist>();
  list_ = std::make_unique<TForm_CityList>();
  main->AttachListWindows(hist_.get(), list_.get());
  main->show();
  hist_->RestoreSettings(Vars().Parameters);
  list_->RestoreSettings(Vars().Parameters);
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
  hist_->ComboBox_von->setCurrentIndex(0);
  hist_->ComboBox_Bis->setCurrentIndex(13);
  ASSERT_TRUE(hist_->StartCityHist());
  main->close();
  EXPECT_FALSE(hist_->Running());
  EXPECT_LT(hist_->SavedText().size(), CityHistLegend(0).size() + 29000);
  const ParameterRecord& p = Vars().Parameters;
  EXPECT_EQ(p.ShortString(param::kHistPlace, 32), "Zürich");
  EXPECT_EQ(p.ShortString(param::kHistLatitude, 16), "47.37");
  EXPECT_TRUE(p.Flag(param::kHistNorth));
  EXPECT_TRUE(p.Flag(param::kHistEast));
  EXPECT_EQ(p.Int(param::kHistToItem), 13);
  EXPECT_EQ(p.Int(param::kListPopulation), 4);

  TForm_CityHist hist2;
  TForm_CityList list2;
  hist2.RestoreSettings(p);
  list2.RestoreSettings(p);
  EXPECT_EQ(hist2.pos(), QPoint(110, 60));
  EXPECT_EQ(hist2.size(), QSize(600, 400));
  EXPECT_EQ(list2.pos(), QPoint(130, 80));
  EXPECT_EQ(list2.size(), QSize(500, 380));
  EXPECT_EQ(hist2.Edit_Hoehe->text(), "408");
  EXPECT_EQ(list2.ComboBox_Population->currentIndex(), 4);
  main.reset();
}

// A FIFO in place of the city file: neither window waits for a writer; each names the
// file and the reason, and shows nothing.
TEST_F(ListWindows, AFifoInPlaceOfTheCityFileIsNamedAndNeverWaitedFor) {
  const std::string fifo = (dir_ / kCityFileGerman).string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const QString reason = QString::fromStdString(fifo) + " cannot be read: it is not a regular file (a FIFO)";
  list_ = std::make_unique<TForm_CityList>();
  const QString listMessage = MessageOf(
      [&] { RunAndWait(*list_, [&] { QTest::mouseClick(list_->Button_Start_CityList, Qt::LeftButton); }); });
  EXPECT_TRUE(listMessage.contains(reason)) << listMessage.toStdString();
  EXPECT_TRUE(ScreenLines(list_->RichEdit_CityList).empty());
  hist_ = std::make_unique<TForm_CityHist>();
  const QString histMessage = MessageOf([&] { hist_->FillCountries(); });
  EXPECT_TRUE(histMessage.contains(reason)) << histMessage.toStdString();
  EXPECT_EQ(hist_->ComboBox_Land->count(), 0);
}

}  // namespace
}  // namespace varomintel
