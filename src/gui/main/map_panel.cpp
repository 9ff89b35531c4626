#include "gui/main/map_panel.h"

#include <QLabel>
#include <QResizeEvent>

#include <algorithm>
#include <cmath>

#include "app/parameter_file.h"
#include "app/point_of_interest.h"
#include "render/map_pictures.h"
#include "ui_map_panel.h"

namespace varomintel {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

constexpr int kBevel = 1;  // the panel's lowered bevel around the picture, pixels

// Graticule columns (every 60 deg of longitude) and rows (every 30 deg of latitude) of the
// 680 x 340 picture.
constexpr std::array<int, 5> kGraticuleColumns = {113, 227, 340, 453, 567};
constexpr std::array<int, 5> kGraticuleRows = {57, 113, 170, 227, 283};
// The scales: the picture row or column each label names.
constexpr std::array<int, 7> kLatitudeRows = {0, 57, 113, 170, 227, 283, 340};
constexpr std::array<const char*, 7> kLatitudeNames = {"Label_90N", "Label_60N", "Label_30N", "Label_00N",
                                                       "Label_30S", "Label_60S", "Label_90S"};
constexpr std::array<const char*, 7> kLatitudeTexts = {"90°N", "60°N", "30°N", "0° -", "30°S", "60°S", "90°"};
constexpr std::array<int, 7> kLongitudeColumns = {0, 113, 227, 340, 453, 567, 680};
constexpr std::array<int, 7> kLongitudeDegrees = {-180, -120, -60, 0, 60, 120, 180};
constexpr std::array<const char*, 7> kLongitudeNames = {"Label_180W", "Label_120W", "Label_060W", "Label_0W",
                                                        "Label_060E", "Label_120E", "Label_180E"};

int Scaled(int pixels, double scale) { return static_cast<int>(std::lround(pixels * scale)); }

// The map's size at a scale: its width rounded, its height from the width, as the renderer
// derives it when it draws at width / 680.
QSize PictureAt(double scale) {
  const int width = Scaled(MapPanel::kPictureSize.width(), scale);
  return {width, static_cast<int>(std::lround(width * 0.5))};
}

}  // namespace

MapPanel::MapPanel(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::MapPanel>()) {
  ui_->setupUi(this);
  for (const MapPictureName& name : kMapPictureNames) ui_->ComboBox_Globus->addItem(name.item);
  ui_->Image_World->setToolTipSource(
      [this](QPoint pixel) { return Q(CoordinateText(MapPlaceAt(pixel.x(), pixel.y()), language_)); });
  CreateScales();

  connect(ui_->ComboBox_Globus, &QComboBox::currentIndexChanged, this, &MapPanel::mapChoiceChanged);
  connect(ui_->CheckBox_Gradnetz, &QCheckBox::toggled, this, &MapPanel::ShowGraticule);
  connect(ui_->CheckBox_PoI, &QCheckBox::clicked, this, &MapPanel::markerToggled);
  // Enter, or leaving an entry whose text changed.
  connect(ui_->Edit_PoI_Breite, &QLineEdit::editingFinished, this, [this] { ApplyPoiEntry(PoiAxis::Latitude); });
  connect(ui_->Edit_PoI_Laenge, &QLineEdit::editingFinished, this, [this] { ApplyPoiEntry(PoiAxis::Longitude); });
  for (QRadioButton* b : {ui_->RadioButton_PoI_Nord, ui_->RadioButton_PoI_Sued})
    connect(b, &QRadioButton::clicked, this, [this] { ApplyPoiEntry(PoiAxis::Latitude); });
  for (QRadioButton* b : {ui_->RadioButton_PoI_Ost, ui_->RadioButton_PoI_West})
    connect(b, &QRadioButton::clicked, this, [this] { ApplyPoiEntry(PoiAxis::Longitude); });
  connect(ui_->Image_World, &WorldMapImage::pixelClicked, this, &MapPanel::MarkPlaceAt);
}

// The controls outlive the panel's members while QWidget's destructor hides them: a hidden
// entry that had the focus still reports its editing finished. Nothing reaches the panel then.
MapPanel::~MapPanel() {
  for (QObject* control : findChildren<QObject*>()) control->disconnect(this);
}

// The graticule lines over the map and the degree labels around it.
void MapPanel::CreateScales() {
  for (std::size_t i = 0; i < shapes_.size(); ++i) {
    auto* line = new QFrame(ui_->Panel_World);
    line->setObjectName(QString("Shape%1").arg(i + 1));
    line->setAutoFillBackground(true);
    QPalette shadow = line->palette();
    shadow.setColor(QPalette::Window, shadow.color(QPalette::Dark));
    line->setPalette(shadow);
    line->setAttribute(Qt::WA_TransparentForMouseEvents);  // clicks and tooltips belong to the map
    line->hide();
    shapes_[i] = line;
  }
  for (std::size_t i = 0; i < latitudeLabels_.size(); ++i) {
    latitudeLabels_[i] = new QLabel(QString::fromUtf8(kLatitudeTexts[i]), this);
    latitudeLabels_[i]->setObjectName(kLatitudeNames[i]);
    latitudeLabels_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  }
  for (std::size_t i = 0; i < longitudeLabels_.size(); ++i) {
    longitudeLabels_[i] = new QLabel(QString::fromUtf8(i == 3 ? "0°" : ""), this);
    longitudeLabels_[i]->setObjectName(kLongitudeNames[i]);
    longitudeLabels_[i]->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  }
}

void MapPanel::PlaceScales() {
  const QRect map = ui_->Panel_World->geometry().adjusted(kBevel, kBevel, -kBevel, -kBevel);
  for (std::size_t i = 0; i < shapes_.size(); ++i) {
    if (i < kGraticuleColumns.size())
      shapes_[i]->setGeometry(kBevel + Scaled(kGraticuleColumns[i], scale_), kBevel, 1, map.height());
    else
      shapes_[i]->setGeometry(kBevel, kBevel + Scaled(kGraticuleRows[i - kGraticuleColumns.size()], scale_),
                              map.width(), 1);
  }
  const int labelsWidth = ui_->MapLayout->contentsMargins().left() - 4;
  // Each latitude label centred on its row, the two at the poles moved in so that they
  // stay within the panel and clear of the longitude labels.
  for (std::size_t i = 0; i < latitudeLabels_.size(); ++i) {
    const int top = std::clamp(map.top() + Scaled(kLatitudeRows[i], scale_) - 8, map.top() - 3, map.bottom() - 13);
    latitudeLabels_[i]->setGeometry(0, top, labelsWidth, 16);
  }
  for (std::size_t i = 0; i < longitudeLabels_.size(); ++i)
    longitudeLabels_[i]->setGeometry(map.left() + Scaled(kLongitudeColumns[i], scale_) - 25,
                                     map.bottom() + kBevel + 3, 50, 18);
}

void MapPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  PlaceScales();
}

double MapPanel::PhysicalScale() const {
  return devicePixelRatioF() * ui_->Image_World->width() / kPictureSize.width();
}

void MapPanel::SetScale(double scale) {
  const bool changed = scale != scale_;
  scale_ = scale;
  const QSize picture = PictureAt(scale) + QSize(2 * kBevel, 2 * kBevel);
  if (ui_->Panel_World->minimumSize() != picture || ui_->Panel_World->maximumSize() != picture)
    ui_->Panel_World->setFixedSize(picture);
  PlaceScales();
  if (changed) emit pictureSizeChanged();
}

QSize MapPanel::SizeAtScale(double scale) const {
  const QMargins m = ui_->MapLayout->contentsMargins();
  const QSize controls = ui_->MapControlsLayout->minimumSize();
  const int mapWidth = PictureAt(scale).width() + 2 * kBevel;
  const int mapHeight = PictureAt(scale).height() + 2 * kBevel;
  constexpr int kLongitudeScale = 22;  // the labels under the map
  return {m.left() + mapWidth + ui_->MapLayout->spacing() + controls.width() + m.right(),
          std::max(mapHeight + kLongitudeScale, controls.height()) + m.top() + m.bottom()};
}

void MapPanel::ApplySettings(const ParameterRecord& p) {
  {
    const QSignalBlocker block(ui_->ComboBox_Globus);
    ui_->ComboBox_Globus->setCurrentIndex(std::clamp(p.Int(param::kMap), 0, kMapPictureCount - 1));
  }
  ui_->CheckBox_Gradnetz->setChecked(p.Flag(param::kGraticule));
  ShowGraticule(ui_->CheckBox_Gradnetz->isChecked());
  ui_->Edit_PoI_Breite->setText(Q(p.ShortString(param::kPoiLatitude)));
  ui_->Edit_PoI_Laenge->setText(Q(p.ShortString(param::kPoiLongitude)));
  (p.Flag(param::kPoiSouth) ? ui_->RadioButton_PoI_Sued : ui_->RadioButton_PoI_Nord)->setChecked(true);
  (p.Flag(param::kPoiWest) ? ui_->RadioButton_PoI_West : ui_->RadioButton_PoI_Ost)->setChecked(true);
  ui_->CheckBox_PoI->setChecked(p.Flag(param::kPoiShown));
  ReadPoiEntryOf(PoiAxis::Latitude);
  ReadPoiEntryOf(PoiAxis::Longitude);
}

void MapPanel::StoreSettings(ParameterRecord& p) const {
  p.SetShortString(param::kPoiLatitude, ui_->Edit_PoI_Breite->text().toStdString());
  p.SetFlag(param::kPoiNorth, ui_->RadioButton_PoI_Nord->isChecked());
  p.SetFlag(param::kPoiSouth, ui_->RadioButton_PoI_Sued->isChecked());
  p.SetShortString(param::kPoiLongitude, ui_->Edit_PoI_Laenge->text().toStdString());
  p.SetFlag(param::kPoiEast, ui_->RadioButton_PoI_Ost->isChecked());
  p.SetFlag(param::kPoiWest, ui_->RadioButton_PoI_West->isChecked());
  p.SetFlag(param::kPoiShown, ui_->CheckBox_PoI->isChecked());
  p.SetInt(param::kMap, std::max(0, ui_->ComboBox_Globus->currentIndex()));
  p.SetFlag(param::kGraticule, ui_->CheckBox_Gradnetz->isChecked());
}

int MapPanel::MapChoice() const { return ui_->ComboBox_Globus->currentIndex(); }

std::optional<GeoPoint> MapPanel::PointOfInterest() const {
  if (!ui_->CheckBox_PoI->isChecked()) return std::nullopt;
  return place_;
}

void MapPanel::ShowMap(const QImage& picture) { ui_->Image_World->setImage(picture); }
const QImage& MapPanel::ShownMap() const { return ui_->Image_World->image(); }

void MapPanel::Retranslate(std::uint8_t language) {
  language_ = language;
  using Texts = std::array<const char*, 3>;  // German, English, French (UTF-8)
  const std::size_t l = std::min<std::size_t>(language, 2);
  const auto pick = [l](const Texts& t) { return QString::fromUtf8(t[l]); };
  ui_->GroupBox_Markierung->setTitle(pick({"Markierung", "Point of Interest", "Marque"}));
  ui_->GroupBox_Globus->setTitle(pick({"Globus", "Globe", "Globe"}));
  ui_->CheckBox_Gradnetz->setText(pick({"Gradnetz", "Graticule", "Quadrillage"}));
  ui_->RadioButton_PoI_Ost->setText(QString(QChar(EastLetter(language))));
  ui_->RadioButton_PoI_West->setText(QString(QChar(WestLetter(language))));
  for (std::size_t i = 0; i < longitudeLabels_.size(); ++i) {
    const int degrees = kLongitudeDegrees[i];
    if (degrees == 0) continue;
    longitudeLabels_[i]->setText(
        QString("%1°%2").arg(std::abs(degrees)).arg(QChar(degrees < 0 ? WestLetter(language) : EastLetter(language))));
  }
}

void MapPanel::ShowGraticule(bool shown) {
  for (QFrame* line : shapes_) line->setVisible(shown);
}

// The entry's text by the entry rule: trimmed and written back, or emptied when refused;
// the signed value into the marked place.
void MapPanel::ReadPoiEntryOf(PoiAxis axis) {
  const bool latitude = axis == PoiAxis::Latitude;
  QLineEdit* edit = latitude ? ui_->Edit_PoI_Breite : ui_->Edit_PoI_Laenge;
  const bool negative = latitude ? ui_->RadioButton_PoI_Sued->isChecked() : ui_->RadioButton_PoI_West->isChecked();
  const PoiEntry entry = ReadPoiEntry(edit->text().toStdString(), latitude ? kLatitudeLimit : kLongitudeLimit, negative);
  if (edit->text() != Q(entry.text)) edit->setText(Q(entry.text));
  (latitude ? place_.latitude : place_.longitude) = entry.value;
}

// An entry or a hemisphere: the marker on, and the map drawn again with it.
void MapPanel::ApplyPoiEntry(PoiAxis axis) {
  ReadPoiEntryOf(axis);
  ui_->CheckBox_PoI->setChecked(true);
  emit pointOfInterestChanged();
}

// A click on the map: the clicked place into both entries with one decimal, then the
// entry rule for both.
void MapPanel::MarkPlaceAt(QPoint pixel) {
  const PoiTexts texts = PoiTextsFor(MapPlaceAt(pixel.x(), pixel.y()));
  ui_->Edit_PoI_Breite->setText(Q(texts.latitude));
  (texts.south ? ui_->RadioButton_PoI_Sued : ui_->RadioButton_PoI_Nord)->setChecked(true);
  ui_->Edit_PoI_Laenge->setText(Q(texts.longitude));
  (texts.west ? ui_->RadioButton_PoI_West : ui_->RadioButton_PoI_Ost)->setChecked(true);
  ReadPoiEntryOf(PoiAxis::Latitude);
  ReadPoiEntryOf(PoiAxis::Longitude);
  ui_->CheckBox_PoI->setChecked(true);
  emit pointOfInterestChanged();
}

}  // namespace varomintel
