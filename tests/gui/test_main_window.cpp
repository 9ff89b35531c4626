// The main window driven as a user would, offscreen: selection by scroll bar, year, Saros
// number and steps, time scale and zone, the report's attributes, the about panel and the
// settings written at close.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTextBlock>
#include <QTextEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>

#include "../support/synthetic_eclipse.h"
#include "gui/common/about_panel.h"
#include "app/parameter_file.h"
#include "app/startup_data.h"
#include "gui/main/main_window.h"
#include "text/text_table.h"
#include "find_control.h"
#include "app/startup.h"

// Readable failure messages for Qt strings.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace varomintel {
namespace {

using testing::Find;

namespace fs = std::filesystem;

// Twelve eclipses, 1999..2004, in Saros 131 (1, 3, 6, 9, 12), 136 and 141.
Catalogue SmallCatalogue() {
  const int years[] = {1999, 1999, 2000, 2000, 2001, 2001, 2002, 2003, 2003, 2004, 2004, 2004};
  const int saros[] = {131, 136, 131, 141, 136, 131, 141, 136, 131, 141, 136, 131};
  std::vector<EclipseRecord> records;
  for (int i = 0; i < 12; ++i) {
    EclipseRecord r = testing::LinearEclipse::Passing(i % 2 ? 1200 : 4500).Record(years[i], 3 + i % 9, 10, 20);
    r.Saros = saros[i];
    r.SarosMember = static_cast<std::uint8_t>(10 + i);
    r.SarosCount = 70;
    records.push_back(r);
  }
  return Catalogue(std::move(records));
}

// The contrast ratio of two colours, (L1 + 0.05) / (L2 + 0.05) of their relative
// luminances, L1 the lighter (WCAG 2.1, "contrast ratio" and "relative luminance").
double ContrastRatio(const QColor& a, const QColor& b) {
  const auto luminance = [](const QColor& c) {
    const auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("varomintel_window_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    StartupData& v = Startup();
    v = StartupData{};
    v.TheCatalogue = SmallCatalogue();
    v.ProgramVersionInfo = ProgramVersionInfo("program");
    v.ProgramVersion = ProgramVersion(v.ProgramVersionInfo);
    v.ParamDir = (dir_ / "Varomintel").string() + "/";
    v.ParamFilePath = v.ParamDir + kParameterFileName;
    v.Parameters = LoadParameterFile(v.ParamDir, v.ParamFilePath, v.ProgramVersion).record;
    v.Parameters.SetInt(param::kEclipse, 2);
    v.Parameters.SetByte(param::kLanguage, 1);
    window_ = std::make_unique<MainWindow>();
    testing::ShowAtDesignSize(*window_);
  }
  void TearDown() override {
    window_.reset();
    fs::remove_all(dir_);
  }
  void Enter(QLineEdit* edit, const QString& text) {
    edit->setText(text);
    QTest::keyClick(edit, Qt::Key_Return);
  }
  QStringList ReportLines() const {
    QStringList lines;
    for (QTextBlock b = Find<QTextEdit>(*window_, "RE_Table")->document()->begin(); b.isValid(); b = b.next()) lines << b.text();
    return lines;
  }
  fs::path dir_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(MainWindowTest, ShowsTheStoredEclipseInTerrestrialTime) {
  EXPECT_EQ(window_->State().State().Index(), 2);
  EXPECT_EQ(Find<QLineEdit>(*window_, "Edit_Jahr")->text(), "1999");
  EXPECT_EQ(Find<QLineEdit>(*window_, "Saros_Edit")->text(), "136");
  EXPECT_EQ(Find<QGroupBox>(*window_, "GroupBox_Saros")->title(), "Eclipse in Saros (11. of 70)");
  // A new parameter file holds terrestrial time.
  EXPECT_FALSE(Find<QCheckBox>(*window_, "CheckBox_ET_UT")->isChecked());
  EXPECT_EQ(Find<QCheckBox>(*window_, "CheckBox_ET_UT")->text(), "TT");
  EXPECT_TRUE(Find<QCheckBox>(*window_, "CheckBox_ET_UT")->toolTip().startsWith("Checked: all times in Universal Time (UT)"));
  EXPECT_TRUE(Find<QGroupBox>(*window_, "GroupBox_TZone")->isHidden());
  const QStringList lines = ReportLines();
  ASSERT_EQ(lines.size(), 11);
  EXPECT_EQ(lines[0], "Total Lunar Eclipse");
  EXPECT_EQ(lines[2], "Times are Terrestrial Time (TT)");
  // Attributes: Arial, type line 12 pt, grey in terrestrial time, bold from the Max line.
  // The grey of every line reads as body text, at least 4.5:1 against the report's
  // background (WCAG 2.1, 1.4.3), and still stands apart from black (at least 3:1 to it).
  auto* report = Find<QTextEdit>(*window_, "RE_Table");
  const QTextBlock type = report->document()->begin();
  const QTextCharFormat f = type.begin().fragment().charFormat();
  EXPECT_EQ(f.fontFamilies().toStringList().value(0), "Arial");
  EXPECT_EQ(f.fontPointSize(), 12);
  const QColor background = report->viewport()->palette().color(QPalette::Base);
  for (QTextBlock b = type; b.isValid(); b = b.next()) {
    if (b.text().isEmpty()) continue;
    const QColor grey = b.begin().fragment().charFormat().foreground().color();
    EXPECT_GE(ContrastRatio(grey, background), 4.5) << b.text().toStdString() << " " << grey.name().toStdString();
    EXPECT_GE(ContrastRatio(grey, Qt::black), 3.0) << b.text().toStdString() << " " << grey.name().toStdString();
  }
  const QTextBlock max = Find<QTextEdit>(*window_, "RE_Table")->document()->findBlockByNumber(7);
  EXPECT_TRUE(max.text().startsWith("Maximum Eclipse"));
  EXPECT_EQ(max.begin().fragment().charFormat().fontWeight(), QFont::Bold);
  const QTextBlock u1 = Find<QTextEdit>(*window_, "RE_Table")->document()->findBlockByNumber(5);
  EXPECT_NE(u1.begin().fragment().charFormat().fontWeight(), QFont::Bold);
  EXPECT_TRUE(window_->windowTitle().startsWith("Varomintel "));
}

TEST_F(MainWindowTest, SelectionByYearSarosAndSteps) {
  Enter(Find<QLineEdit>(*window_, "Edit_Jahr"), "2001");
  EXPECT_EQ(window_->State().State().Index(), 5);
  EXPECT_EQ(Find<QScrollBar>(*window_, "ScrollBar_Eclipse")->value(), 5);
  Enter(Find<QLineEdit>(*window_, "Edit_Jahr"), "-9999");  // clamped to -4999: the first record, which shows its year
  EXPECT_EQ(window_->State().State().Index(), 1);
  EXPECT_EQ(Find<QLineEdit>(*window_, "Edit_Jahr")->text(), "1999");
  Enter(Find<QLineEdit>(*window_, "Edit_Jahr"), "-9999");  // the same record again: only the clamped year is written back
  EXPECT_EQ(Find<QLineEdit>(*window_, "Edit_Jahr")->text(), "-4999");
  Enter(Find<QLineEdit>(*window_, "Edit_Jahr"), "20x1");  // not an integer: ignored
  EXPECT_EQ(window_->State().State().Index(), 1);
  EXPECT_EQ(Find<QLineEdit>(*window_, "Edit_Jahr")->text(), "20x1");
  Enter(Find<QLineEdit>(*window_, "Edit_Jahr"), "7000");
  EXPECT_EQ(window_->State().State().Index(), 12);

  Enter(Find<QLineEdit>(*window_, "Saros_Edit"), "141");
  EXPECT_EQ(window_->State().State().Index(), 4);
  Enter(Find<QLineEdit>(*window_, "Saros_Edit"), "abc");  // 139, not in this catalogue: the selection stays
  EXPECT_EQ(Find<QLineEdit>(*window_, "Saros_Edit")->text(), "139");
  EXPECT_EQ(window_->State().State().Index(), 4);
  Enter(Find<QLineEdit>(*window_, "Saros_Edit"), "999");
  EXPECT_EQ(Find<QLineEdit>(*window_, "Saros_Edit")->text(), "322");

  Enter(Find<QLineEdit>(*window_, "Saros_Edit"), "131");
  EXPECT_EQ(window_->State().State().Index(), 1);
  Find<QToolButton>(*window_, "UpDown1_Next")->click();
  EXPECT_EQ(window_->State().State().Index(), 3);
  Find<QToolButton>(*window_, "UpDown3_Next")->click();  // 3 -> 6 -> 9 -> 12
  EXPECT_EQ(window_->State().State().Index(), 12);
  Find<QToolButton>(*window_, "UpDown1_Next")->click();  // the last of its series: nothing happens
  EXPECT_EQ(window_->State().State().Index(), 12);
  Find<QToolButton>(*window_, "UpDown1_Prev")->click();
  EXPECT_EQ(window_->State().State().Index(), 9);

  Find<QScrollBar>(*window_, "ScrollBar_Eclipse")->setValue(7);
  EXPECT_EQ(Find<QLineEdit>(*window_, "Edit_Jahr")->text(), "2002");
  EXPECT_EQ(Find<QLineEdit>(*window_, "Saros_Edit")->text(), "141");
}

// An own Delta T: used and named in the report, kept in the settings for the next start;
// a value that is not one is refused with a message and changes nothing; empty is the
// model's again.
TEST_F(MainWindowTest, OwnDeltaTIsKeptForTheNextStartAndARefusedValueChangesNothing) {
  Find<QCheckBox>(*window_, "CheckBox_ET_UT")->click();  // to universal time
  const QString modelMax = ReportLines()[7];
  Enter(Find<QLineEdit>(*window_, "Edit_DeltaT"), " 4000 ");
  EXPECT_EQ(window_->State().State().Time().ownDeltaT, std::optional<double>(4000));
  EXPECT_EQ(Find<QLineEdit>(*window_, "Edit_DeltaT")->text(), "4000");
  EXPECT_TRUE(ReportLines().back().startsWith("Delta T = 4000 s (own value; model ")) << ReportLines().back().toStdString();
  EXPECT_NE(ReportLines()[7], modelMax);

  for (const char* refused : {"4e", "2000000", "nan"}) {
    QString said;
    QTimer::singleShot(0, [&said] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        said = box->text();
        box->accept();
      }
    });
    Enter(Find<QLineEdit>(*window_, "Edit_DeltaT"), refused);
    EXPECT_TRUE(said.startsWith(QString("\"%1\" is not a Delta T.").arg(refused))) << said.toStdString();
    EXPECT_EQ(Find<QLineEdit>(*window_, "Edit_DeltaT")->text(), refused);  // what was typed stays
    EXPECT_EQ(window_->State().State().Time().ownDeltaT, std::optional<double>(4000)) << refused;
  }

  window_.reset();  // the next start
  window_ = std::make_unique<MainWindow>();
  testing::ShowAtDesignSize(*window_);
  EXPECT_EQ(Find<QLineEdit>(*window_, "Edit_DeltaT")->text(), "4000");
  EXPECT_EQ(window_->State().State().Time().ownDeltaT, std::optional<double>(4000));
  Enter(Find<QLineEdit>(*window_, "Edit_DeltaT"), "");
  EXPECT_FALSE(window_->State().State().Time().ownDeltaT.has_value());
}

TEST_F(MainWindowTest, TimeScaleAndZone) {
  Find<QCheckBox>(*window_, "CheckBox_ET_UT")->click();  // to universal time
  EXPECT_TRUE(Find<QCheckBox>(*window_, "CheckBox_ET_UT")->isChecked());
  EXPECT_EQ(Find<QCheckBox>(*window_, "CheckBox_ET_UT")->text(), "DeltaT = 63.6 secs");  // 1999: 63.6444 from the yearly table
  EXPECT_FALSE(Find<QGroupBox>(*window_, "GroupBox_TZone")->isHidden());
  EXPECT_EQ(ReportLines()[2], "Times are Civil Time [UTC+0.00]");
  const QString maxUT = ReportLines()[7];

  Enter(Find<QLineEdit>(*window_, "Edit_TZone"), "+25");
  EXPECT_EQ(Find<QLineEdit>(*window_, "Edit_TZone")->text(), "+18.00");
  EXPECT_EQ(ReportLines()[2], "Times are Civil Time [UTC+18.00]");
  Enter(Find<QLineEdit>(*window_, "Edit_TZone"), "-3.456");
  EXPECT_EQ(Find<QLineEdit>(*window_, "Edit_TZone")->text(), "-3.46");
  Enter(Find<QLineEdit>(*window_, "Edit_TZone"), "abc");  // not a number: nothing changes
  EXPECT_EQ(Find<QLineEdit>(*window_, "Edit_TZone")->text(), "abc");
  EXPECT_DOUBLE_EQ(window_->State().State().Time().timeZone, -3.456);
  Enter(Find<QLineEdit>(*window_, "Edit_TZone"), "0");
  EXPECT_EQ(ReportLines()[7], maxUT);
  // Another zone moves the clock times, not the slider.
  Find<QScrollBar>(*window_, "ScrollBar_Time")->setValue(100);
  Enter(Find<QLineEdit>(*window_, "Edit_TZone"), "1");
  EXPECT_EQ(window_->View().Position(), 100);
  EXPECT_EQ(ReportLines()[2], "Times are Civil Time [UTC+1.00]");
  EXPECT_NE(ReportLines()[7], maxUT);

  Find<QCheckBox>(*window_, "CheckBox_ET_UT")->click();  // back to terrestrial time: the zone group hides
  EXPECT_EQ(Find<QCheckBox>(*window_, "CheckBox_ET_UT")->text(), "TT");
  EXPECT_TRUE(Find<QGroupBox>(*window_, "GroupBox_TZone")->isHidden());
  EXPECT_EQ(window_->View().Selection().deltaT, 0);
}

// The About dialog: name and version, what the program does, the credits, the data
// sources and the licence as shipped, the version record as details; in the language
// switched to; closed by its button.
TEST_F(MainWindowTest, AboutDialogShowsCreditsSourcesLicenceAndTheVersionRecord) {
  window_->findChild<QAction*>("Version1")->trigger();
  auto* about = Find<QDialog>(*window_, "AboutDialog");
  ASSERT_TRUE(about->isVisible());
  EXPECT_EQ(Find<QLabel>(*about, "AboutName")->text().toStdString(), "Varomintel " + Startup().ProgramVersion);
  EXPECT_FALSE(Find<QLabel>(*about, "AboutIcon")->pixmap().isNull());
  EXPECT_TRUE(Find<QLabel>(*about, "AboutSummary")->text().contains("lunar eclipses"));
  EXPECT_TRUE(Find<QTextBrowser>(*about, "AboutCredits")->toPlainText().contains("GeoNames (geonames.org), CC BY 4.0"));
  EXPECT_TRUE(Find<QTextBrowser>(*about, "AboutSources")->toPlainText().contains("Where the data comes from"));
  EXPECT_TRUE(Find<QTextBrowser>(*about, "AboutLicence")->toPlainText().contains("Copyright"));
  auto* details = Find<AboutPanel>(*about, "Panel_About");
  EXPECT_EQ(details->StringGrid_VersionsInfo->item(3, 0)->text(), "FileVersion     ");
  EXPECT_EQ(details->StringGrid_VersionsInfo->item(3, 1)->text().toStdString(), Startup().ProgramVersion);
  EXPECT_FALSE(details->Button_About_OK->isVisible());

  testing::SwitchWindowLanguage(kGerman);
  EXPECT_EQ(about->windowTitle(), QString::fromUtf8("Über Varomintel"));
  EXPECT_EQ(Find<QTabWidget>(*about, "AboutTabs")->tabText(0), "Mitwirkende");
  EXPECT_TRUE(Find<QTextBrowser>(*about, "AboutCredits")->toPlainText().contains("Bibliotheken"));
  testing::SwitchWindowLanguage(kEnglish);

  Find<QDialogButtonBox>(*about, "AboutButtons")->button(QDialogButtonBox::Close)->click();
  EXPECT_FALSE(about->isVisible());
}

TEST_F(MainWindowTest, ClosingStoresTheSelectionInTheParameterFile) {
  Enter(Find<QLineEdit>(*window_, "Edit_Jahr"), "2003");
  Find<QCheckBox>(*window_, "CheckBox_ET_UT")->click();
  window_->close();
  const ParameterStartup s = LoadParameterFile(Startup().ParamDir, Startup().ParamFilePath, Startup().ProgramVersion);
  ASSERT_EQ(s.outcome, ParameterStartup::Outcome::Loaded);
  EXPECT_EQ(s.record.Int(param::kEclipse), 8);
  EXPECT_TRUE(s.record.Flag(param::kUniversalTime));
  EXPECT_EQ(s.record.Int(param::kReserved41), 2);  // reserved fields kept as loaded
  // Deleted while the program runs: not recreated.
  fs::remove(Startup().ParamFilePath);
  window_->close();
  EXPECT_FALSE(fs::exists(Startup().ParamFilePath));
}

// Start-up before any window: the parameter file and the catalogue.
class StartUp : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("varomintel_startup_" + std::to_string(::getpid()));
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "app");
    ASSERT_TRUE(WriteCatalogue((dir_ / "app" / kCatalogueFileName).string(), SmallCatalogue().Records()));
    places_.programDir = (dir_ / "app").string();
    places_.configDir = (dir_ / "config").string();
    places_.fileTypeName = "executable";
    places_.catalogueDir = (dir_ / "app").string();
    Startup() = StartupData{};
  }
  void TearDown() override { fs::remove_all(dir_); }
  StartupOutcome Start() {
    messages_.clear();
    return InitialiseGlobalState(places_, [this](const std::string& caption, const std::string& text) {
      messages_.push_back(caption + "|" + text);
    });
  }
  std::string ParamFile() const { return (dir_ / "config" / "Varomintel" / kParameterFileName).string(); }
  fs::path dir_;
  StartupPlaces places_;
  std::vector<std::string> messages_;
};

TEST_F(StartUp, FirstStartCreatesTheFileAndShowsTheStoredPosition) {
  ASSERT_EQ(Start(), StartupOutcome::Run);
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(fs::file_size(ParamFile()), 242u);
  EXPECT_EQ(Startup().ProgramDir, places_.programDir + "/");
  EXPECT_EQ(Startup().TheCatalogue.Count(), 12);
  MainWindow window;
  window.show();
  EXPECT_EQ(window.State().State().Index(), 12);  // 16690 held to the catalogue's end
  EXPECT_EQ(Find<QCheckBox>(window, "CheckBox_ET_UT")->text(), "TT");
}

TEST_F(StartUp, AFileOfAnotherVersionIsReportedAndDeleted) {
  fs::create_directories(fs::path(ParamFile()).parent_path());
  const ParameterRecord old = DefaultParameterRecord("0.9");
  std::ofstream(ParamFile(), std::ios::binary).write(reinterpret_cast<const char*>(old.bytes().data()), 242);
  EXPECT_EQ(Start(), StartupOutcome::OtherVersion);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0], "Incompatible parameter file found|The file from version 0.9 is now deleted.\n\rPlease restart the program Varomintel.");
  EXPECT_FALSE(fs::exists(ParamFile()));
  EXPECT_EQ(Start(), StartupOutcome::Run);  // the next start creates a new one
  EXPECT_TRUE(fs::exists(ParamFile()));
}

// A file of another version that cannot be deleted must not ask for a restart at every
// start: the program says so, names the file and starts with its defaults, and never
// writes them there.
TEST_F(StartUp, AnUndeletableFileOfAnotherVersionStartsWithTheDefaults) {
  const fs::path folder = fs::path(ParamFile()).parent_path();
  fs::create_directories(folder);
  const ParameterRecord old = DefaultParameterRecord("0.9");
  std::ofstream(ParamFile(), std::ios::binary).write(reinterpret_cast<const char*>(old.bytes().data()), 242);
  // The folder read-only; root may delete there anyway, so the file is made immutable.
  const bool root = ::geteuid() == 0;
  const std::string immutable = "chattr +i '" + ParamFile() + "' 2>/dev/null";
  if (root && std::system(immutable.c_str()) != 0) GTEST_SKIP() << "chattr +i is not available to root here";
  if (!root) fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
  const StartupOutcome outcome = Start();
  if (root) std::system(("chattr -i '" + ParamFile() + "'").c_str());
  else fs::permissions(folder, fs::perms::owner_all);
  EXPECT_EQ(outcome, StartupOutcome::Run);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_[0].find(ParamFile() + " is from version 0.9 and cannot be deleted"), std::string::npos)
      << messages_[0];
  EXPECT_EQ(messages_[0].find("restart"), std::string::npos) << messages_[0];
  EXPECT_TRUE(VersionMatches(Startup().Parameters, Startup().ProgramVersion));
  EXPECT_FALSE(Startup().SaveSettingsAtExit);
  MainWindow window;
  window.show();
  window.close();
  EXPECT_FALSE(VersionMatches(LoadParameterFile(folder.string(), ParamFile(), "0.9").record, Startup().ProgramVersion));
}

TEST_F(StartUp, AHundredByteFileLeavesTheRestZero) {
  ASSERT_EQ(Start(), StartupOutcome::Run);
  ParameterRecord r = Startup().Parameters;
  r.SetInt(param::kEclipse, 5);
  r.SetFlag(param::kUniversalTime, true);
  r.SetDouble(param::kTimeZone, 2.0);  // beyond byte 100: lost
  std::ofstream(ParamFile(), std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(r.bytes().data()), 100);
  ASSERT_EQ(Start(), StartupOutcome::Run);
  MainWindow window;
  window.show();
  EXPECT_EQ(window.State().State().Index(), 5);
  EXPECT_TRUE(Find<QCheckBox>(window, "CheckBox_ET_UT")->isChecked());
  EXPECT_EQ(Find<QLineEdit>(window, "Edit_TZone")->text(), "+0.00");
  EXPECT_EQ(Startup().Parameters.Int(param::kHistWidth), 0);
}

TEST_F(StartUp, AMissingOrMalformedCatalogueIsReportedAndEndsTheProgram) {
  fs::remove(dir_ / "app" / kCatalogueFileName);
  EXPECT_EQ(Start(), StartupOutcome::NoCatalogue);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_[0].find(kCatalogueFileName), std::string::npos);
  EXPECT_NE(messages_[0].find("430 bytes"), std::string::npos);
  EXPECT_NE(messages_[0].find((dir_ / "app").string()), std::string::npos);
  std::ofstream(dir_ / "app" / kCatalogueFileName, std::ios::binary) << std::string(431, 'x');
  EXPECT_EQ(Start(), StartupOutcome::NoCatalogue);
  EXPECT_NE(messages_[0].find("431 bytes"), std::string::npos);
  EXPECT_EQ(Startup().TheCatalogue.Count(), 0);
}

}  // namespace
}  // namespace varomintel
