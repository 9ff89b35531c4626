// MainWindow: the main window. Three panels: on the left the selection (the eclipse by
// scroll bar, year, Saros number and steps, the time scale and zone, the report and the
// marked place's panel, the date-time panel and the elements table); on the right the shadow diagram with the time
// slider and the play buttons, and under it the world map with its controls. The window
// connects the panels' signals to the selection model and the renderers; each panel keeps
// its controls (found by their design names) to itself.
#pragma once

#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/eclipse_view.h"
#include "gui/common/app_state_object.h"
#include "gui/main/diagram_panel.h"
#include "places/sky_panorama.h"
#include "render/map_pictures.h"
#include "render/moon_pictures.h"

class QTimer;

namespace Ui {
class MainWindow;
}

namespace varomintel {

class AboutDialog;
class AboutPanel;
class AppStateObject;
class DiagramPanel;
class HelpWindow;
class MapPanel;
class PictureAreaLayout;
class SelectionPanel;
class CityHistoryWindow;
class CityListWindow;

class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  // The inner area at the design size, pixels: the window opens at it where the screen
  // allows, at the screen's available area otherwise.
  static constexpr QSize kDesignClientSize{1536, 916};

  // FormCreate: builds the window and applies the stored settings. The catalogue and the
  // parameter record must be in Startup() already.
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // The refresh chain of every selection.
  void SelectEclipse();
  // The first-activation work (selection of the stored eclipse and time zone); runs once.
  void FormActivate();
  // Copies the window's settings into the parameter record.
  void StoreSettings();
  // The two list windows, created after this one; the menu "Liste erzeugen" shows them,
  // and the exit stops their runs and stores their settings.
  void AttachListWindows(CityHistoryWindow* cityHist, CityListWindow* cityList);
  // Applies the language stored in the parameter record (0 German, 1 English, 2 French,
  // 3 Spanish); any other stored value starts German (language.cpp). Runs once, when the
  // last of the three windows exists.
  void ApplyStoredLanguage();
  // The main window's texts in the windows' language, at its QEvent::LanguageChange:
  // its form, and the report, captions and pictures that the core fills in the language
  // (language.cpp).
  void ApplyLanguage();
  // The help window of the current language, created on first use (exit_help.cpp).
  HelpWindow* Help() const { return help_; }
  // The scales at which the diagram and the map are drawn now (1: the design size).
  double DiagramScale() const;
  double MapScale() const;
  // The file beside the parameter record that keeps the splitters' places.
  static QString LayoutSettingsPath();
  // True while the diagram and the map wait to be drawn again at a new size: during a
  // resize the panels show their last pictures stretched, and the renderers draw at the
  // new size once the size has stayed for kRedrawDelayMilliseconds.
  bool PicturesPending() const;
  static constexpr int kRedrawDelayMilliseconds = 80;
  // The program's state, which the panels and the list windows follow.
  AppStateObject& State() const { return *state_; }
  // The selected eclipse at the slider time, as the window shows it.
  const EclipseView& View() const { return state_->State().View(); }

 protected:
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void ConnectMenus();
  // The context menus of the diagram and the map (picture_menus.h).
  void ConnectPictureMenus();
  void ConnectPanels();
  void SetReadingTabOrder();
  void PlaceOnScreen();
  // The splitters: the places the user gave them (restored once), else the defaults for
  // the window's size: the left column at its width while the pictures keep half their
  // design size, and the pictures stacked or side by side, split where they leave the
  // least empty.
  void RestoreSplitters();
  void PlaceSplitters(QSize columns);
  void StoreSplitters() const;
  void AlignPictures(bool stacked);
  // Shows what depends on the changed aspects of the state.
  void Redraw(Changes changes);
  // The selection's captions and report into the selection panel.
  void ShowSelection();
  // The panel of the marked place: its table (selection, time settings, place), and the
  // Moon at the slider's time.
  void ShowPlace();
  void ShowPlaceNow();
  void SelectByYear(const QString& entry);
  void SelectBySaros(const QString& entry);
  void StepSaros(int direction, int steps);
  void ApplyTimeZoneEntry();
  // The own Delta T's entry: empty is the model's value, a number of seconds within
  // +-kOwnDeltaTLimitS an own value, kept in the settings; anything else is refused with a
  // message and changes nothing (the entry keeps what was typed).
  void ApplyOwnDeltaTEntry();
  void RestoreOwnDeltaT();
  void ShowAbout();
  // Says in the status bar, once at the start, which picture is replaced and why.
  void ReportRefusedPictures();
  void MoveTo(int index);
  void EveryActivation();

  // The slider time into the view model, then the diagram and the table.
  void RefreshTimeDependent();
  void DrawShadowDiagram();
  // The picture the diagram panel's choice shows, of `view` at `scale`: the shadow diagram,
  // the sky at the marked place from `panorama`, or the shadow turned to the place's zenith;
  // a hint how to mark a place where the choice needs one and there is none.
  QImage DrawChosenPicture(const EclipseView& view, const std::optional<SkyPanorama>& panorama, double scale) const;
  // The sky's panorama of the selection, the time settings and the place, made anew only
  // after one of them changed.
  const std::optional<SkyPanorama>& SkyPanoramaNow();
  void ChooseDiagram(DiagramChoice choice);
  void FillElementsTable();
  void RestoreStoredSliderPosition();
  void ShowDiagramCaption();
  // The world map of the selected eclipse.
  void DrawWorldMap();

  // The menu "Option": installs the language's catalogues (language.cpp).
  void SwitchLanguage(std::uint8_t languageIndex);
  // Help and exit (exit_help.cpp).
  void OpenHelp();
  // Asks the runs of both list windows to end after their current item.
  void StopAllListRuns();
  void ExitInOrder();
  void CloseInOrder();

  std::unique_ptr<Ui::MainWindow> ui_;
  SelectionPanel* selectionPanel_ = nullptr;
  DiagramPanel* diagramPanel_ = nullptr;
  MapPanel* mapPanel_ = nullptr;
  PictureAreaLayout* diagramArea_ = nullptr;
  PictureAreaLayout* mapArea_ = nullptr;
  bool columnsMoved_ = false, picturesMoved_ = false;  // by the user, now or in an earlier session
  QList<int> storedColumns_, storedPictures_;         // to be applied at the next placement
  AboutDialog* aboutDialog_ = nullptr;
  AboutPanel* aboutPanel_ = nullptr;  // the dialog's version details, also read for the caption
  AppStateObject* state_ = nullptr;  // the one owner of what the windows show
  CityHistoryWindow* cityHist_ = nullptr;
  CityListWindow* cityList_ = nullptr;
  MapPictures mapPictures_;
  MoonPictures moonPictures_;
  std::optional<SkyPanorama> skyPanorama_;  // SkyPanoramaNow's
  bool skyPanoramaStale_ = true;
  std::vector<std::string> refusedPictures_;  // pictures that are replaced, each with the reason
  bool started_ = false;  // the first activation's work has run
  HelpWindow* help_ = nullptr;
  QTimer* redrawTimer_ = nullptr;  // the pictures at a new size
  bool closing_ = false;  // the close sequence runs: messages it lets run cannot start it again
};

}  // namespace varomintel
