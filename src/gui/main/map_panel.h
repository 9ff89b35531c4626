// The main window's map panel: the world map (Panel_World, Image_World) with its
// graticule and degree scales, the choice of maps and graticule (GroupBox_Globus), and the
// point of interest (GroupBox_Markierung). The panel owns the entries' rule: an entry or
// a hemisphere button that changes the marked place switches the marker on and emits
// pointOfInterestChanged; the window then draws the map again.
#pragma once

#include <QImage>
#include <QSize>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <array>
#include <optional>

#include "app/world_map_model.h"

namespace Ui {
class MapPanel;
}

class QLabel;
class QFrame;

namespace varomintel {

class ParameterRecord;

class MapPanel : public QWidget {
  Q_OBJECT
 public:
  // The map's picture at scale 1, pixels.
  static constexpr QSize kPictureSize{680, 340};

  explicit MapPanel(QWidget* parent = nullptr);
  ~MapPanel() override;

  // The map drawn at `scale` times its design size, and the panel's size then.
  void SetScale(double scale);
  QSize SizeAtScale(double scale) const;
  // Physical pixels per map pixel of the map shown now (the screen's device pixel ratio
  // times the layout's scale): the renderer draws at it, so the map is never stretched.
  double PhysicalScale() const;

  // The stored map choice, graticule and point of interest; the entries' texts are read
  // by the entry rule, so that the entries and the marked place always agree.
  void ApplySettings(const ParameterRecord& p);
  void StoreSettings(ParameterRecord& p) const;

  int MapChoice() const;
  // The marked place, when the marker is on.
  std::optional<GeoPoint> PointOfInterest() const;
  // The place the entries name, north and east positive, degrees; shown or not.
  GeoPoint MarkedPlace() const { return place_; }
  // The picture shown; replaced whole by every drawing.
  void ShowMap(const QImage& picture);
  const QImage& ShownMap() const;
  // Every caption and the east letters of the scales in the language.
  void Retranslate(std::uint8_t language);

 signals:
  void mapChoiceChanged(int index);
  // The map's size on the screen changed: it is drawn again at PhysicalScale.
  void pictureSizeChanged();
  void markerToggled(bool shown);
  void pointOfInterestChanged();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  enum class PoiAxis { Latitude, Longitude };
  void CreateScales();
  void PlaceScales();
  void ShowGraticule(bool shown);
  void ReadPoiEntryOf(PoiAxis axis);
  void ApplyPoiEntry(PoiAxis axis);
  void MarkPlaceAt(QPoint pixel);

  std::unique_ptr<Ui::MapPanel> ui_;
  std::array<QFrame*, 10> shapes_{};             // Shape1 .. Shape10: the graticule over the map
  std::array<QLabel*, 7> latitudeLabels_{};      // Label_90N .. Label_90S
  std::array<QLabel*, 7> longitudeLabels_{};     // Label_180W .. Label_180E
  std::uint8_t language_ = 0;
  double scale_ = 1;
  GeoPoint place_;
};

}  // namespace varomintel
