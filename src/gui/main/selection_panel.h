// The main window's left column: the choice of the eclipse (scroll bar, year, Saros number
// and steps), the time scale and the time zone, the report and beside it, on a second tab,
// what the marked place sees of the eclipse, the date-time panel and the elements table SG. The controls are private; what the user asks for leaves as a signal,
// what the window shows comes in through the Show functions.
#pragma once

#include <QTextEdit>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/elements_table.h"
#include "app/observer_view.h"
#include "eclipse/report.h"

namespace Ui {
class SelectionPanel;
}

namespace varomintel {

// The report view RE_Table and the marked place's view RE_Ort, on the two tabs of
// Tabs_Bericht: with the tab bar 250 pixels high at the design size; they take the height
// the window gains and give up height where the window is smaller, down to ten lines (the
// elements table gives up rows for them, see FitElementsTable), then down to 80 pixels with
// the tab bar on a window lower still.
class ReportView : public QTextEdit {
  Q_OBJECT
 public:
  using QTextEdit::QTextEdit;
  // The height of the tabs' bar above the view, pixels.
  void SetTabBarHeight(int pixels) {
    tabBar_ = pixels;
    updateGeometry();
  }
  QSize sizeHint() const override { return {470, 250 - tabBar_}; }

 private:
  int tabBar_ = 0;
};

class SelectionPanel : public QWidget {
  Q_OBJECT
 public:
  // The report's lines in Terrestrial Time: grey, so that they stand apart from the black
  // ones in Universal Time, yet 5.1:1 against white (at least 4.5:1 reads as body text,
  // WCAG 2.1 success criterion 1.4.3).
  static inline const QColor kTerrestrialTimeText{0x6E, 0x6E, 0x6E};

  explicit SelectionPanel(QWidget* parent = nullptr);
  ~SelectionPanel() override;

  // The eclipse scroll bar: positions 1..count; a position set here emits no signal.
  void SetEclipseCount(int count);
  int EclipseIndex() const;
  void SetEclipseIndex(int index);
  // The entries as the user left them, and the texts written back into them.
  QString TimeZoneEntry() const;
  void ShowYear(int year);
  void ShowSaros(int saros);
  void ShowTimeZone(const QString& text);
  // The time scale: checked is universal time; the time-zone group shows only then.
  bool UniversalTime() const;
  void SetUniversalTime(bool universal);
  // The own Delta T's entry (seconds; empty: the model's value), and its text written back.
  QString OwnDeltaTEntry() const;
  void ShowOwnDeltaT(const QString& text);

  // The selection's captions and its report (Arial, tab stops beyond the widest contact
  // label of the language).
  void ShowSelection(const std::string& sarosCaption, const std::string& deltaTCaption,
                     const std::vector<ReportLine>& report, std::uint8_t language);
  // The date-time panel and the elements table of the slider time.
  void ShowDateTime(const std::string& dateTime, const std::string& shortType);
  void ShowElements(const ElementsTableCells& cells);
  // The panel of the marked place (RE_Ort): the table of the selection, or the hint how to
  // mark a place; then the Moon and the Sun at the slider's time, which replace the
  // panel's first two lines only (cheap enough for every step of the animation, and the
  // panel keeps its scroll position).
  void ShowPlaceTable(const ObserverTable& table);
  void ShowPlaceNow(const ObserverNow& now);
  // The report's view, for its context menu.
  QTextEdit* Report() const;
  // The column's controls in reading order, from top to bottom.
  std::vector<QWidget*> ReadingOrder() const;
  // The captions that the core gives in the language (the tabs' titles); the form's own
  // follow the installed catalogue at QEvent::LanguageChange.
  void Retranslate(std::uint8_t language);

 signals:
  void eclipseIndexChanged(int index);
  void yearEntered(const QString& text);
  void sarosEntered(const QString& text);
  void sarosStepped(int direction, int steps);
  void timeScaleClicked(bool universalTime);
  void timeZoneEntered(const QString& text);
  void ownDeltaTEntered(const QString& text);

 protected:
  void changeEvent(QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void SetUpElementsTable();
  // The elements table's height for the column's height: all its rows (and the design's
  // empty room below it) while the report keeps ten lines above; on a lower screen the
  // table gives up rows, down to five, and scrolls, and the room below it goes.
  void FitElementsTable();
  std::unique_ptr<Ui::SelectionPanel> ui_;
  int designRest_ = 0;  // pixels: the empty room below the table at the design size
  bool placeLines_ = false;  // RE_Ort begins with the two lines of the slider's time
};

}  // namespace varomintel
