// The main window's map panel: the world map (Panel_World, Image_World) with the
// renderer's graticule (on request) and degree scales round it, the choice of maps and graticule (GroupBox_Globus), and the
// point of interest (GroupBox_Markierung). The panel owns the entries' rule: an entry or
// a hemisphere button that changes the marked place switches the marker on and emits
// pointOfInterestChanged; the window then draws the map again. The marker follows the
// typing: every text that already reads as a number moves it; the whole rule (trimming,
// emptying a wrong text) applies on Enter and on leaving the entry.
#pragma once

#include <QImage>
#include <QMessageBox>
#include <QPointer>
#include <QSize>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "app/world_map_model.h"
#include "gui/main/picture_column_layout.h"
#include "render/world_map.h"

namespace Ui {
class MapPanel;
}

namespace varomintel {

class ParameterRecord;

class MapPanel : public QWidget, public ScaledPanel {
  Q_OBJECT
 public:
  // The map's picture at scale 1, pixels.
  static constexpr QSize kPictureSize{680, 340};

  explicit MapPanel(QWidget* parent = nullptr);
  ~MapPanel() override;

  // The map's controls right of the map, or in a row under it (a tall, narrow area).
  enum Arrangement { kControlsBeside = 0, kControlsUnder = 1 };
  // The map drawn at `scale` times its design size with its controls arranged so, and the
  // panel's size then.
  int Arrangements() const override { return 2; }
  void SetScale(double scale, int arrangement = kControlsBeside) override;
  QSize SizeAtScale(double scale, int arrangement = kControlsBeside) const override;
  // Physical pixels per map pixel of the map shown now (the screen's device pixel ratio
  // times the layout's scale): the renderer draws at it, so the map is never stretched.
  double PhysicalScale() const;

  // The stored map choice, graticule and point of interest; the entries' texts are read
  // by the entry rule, so that the entries and the marked place always agree.
  void ApplySettings(const ParameterRecord& p);
  void StoreSettings(ParameterRecord& p) const;

  // The map's picture widget, which takes the clicks.
  QWidget* MapImage() const;
  // The panel's controls in reading order: the map's choices, each row of the marked
  // place from left to right, its marker's check box last.
  std::vector<QWidget*> ReadingOrder() const;

  int MapChoice() const;
  bool GraticuleShown() const;
  bool MarkerShown() const;
  // The marked place, when the marker is on.
  std::optional<GeoPoint> PointOfInterest() const;
  // The place the entries name, north and east positive, degrees; shown or not.
  GeoPoint MarkedPlace() const { return place_; }
  // How the window's map is to be drawn now: at PhysicalScale, with the graticule when it
  // is checked, and always with the degree labels, which the panel shows round the map.
  MapDrawing Drawing() const;
  // The picture shown, drawn with `drawing` (degree labels on): its map area
  // (WorldMapAreaIn) fills Image_World, which takes the clicks and tooltips; its margins
  // are painted round the map's bevel. Replaced whole by every drawing.
  void ShowMap(const QImage& picture, const MapDrawing& drawing);
  const QImage& ShownMap() const { return picture_; }
  // Where the map of the shown picture lies in it, picture pixels.
  QRect ShownMapArea() const { return WorldMapAreaIn(shownDrawing_); }
  // The captions that the core gives in the language (the hemispheres' letters), and the
  // language of the coordinates in the map's hints; the form's captions follow the
  // installed catalogue at QEvent::LanguageChange.
  void Retranslate(std::uint8_t language);

 signals:
  void mapChoiceChanged(int index);
  // The graticule was switched on or off: the map is drawn again.
  void graticuleToggled(bool shown);
  // The map's size on the screen changed: it is drawn again at PhysicalScale.
  void pictureSizeChanged();
  void markerToggled(bool shown);
  void pointOfInterestChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  enum class PoiAxis { Latitude, Longitude };
  // The entry's text by the entry rule into the marked place. A refused text is emptied
  // and marks 0 when `refusal` is Empty (stored settings); with Keep the entry gets its
  // last accepted text back, the place keeps it, and false is returned.
  enum class Refusal { Empty, Keep };
  bool ReadPoiEntryOf(PoiAxis axis, Refusal refusal = Refusal::Empty);
  // Says in a message box (not waited for) that `text` is no valid entry of the axis.
  void ReportRefusedEntry(PoiAxis axis, const QString& text);
  void ApplyPoiEntry(PoiAxis axis);
  void FollowTyping(PoiAxis axis);
  void MarkPlaceAt(QPoint pixel);
  QSize ControlsSize(int arrangement) const;
  void NameGlobes();

  std::unique_ptr<Ui::MapPanel> ui_;
  QImage picture_;             // the map with its degree labels, physical pixels
  MapDrawing shownDrawing_;    // how picture_ was drawn
  std::uint8_t language_ = 0;
  double scale_ = 1;
  int arrangement_ = kControlsBeside;
  GeoPoint place_;
  QPointer<QMessageBox> refusedBox_;
  QString acceptedText_[2];  // the last text of each entry that the rule took (latitude, longitude)
};

}  // namespace varomintel
