#include "gui/main/map_panel.h"

#include <QMessageBox>
#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>

#include "app/parameter_file.h"
#include "app/point_of_interest.h"
#include "gui/common/qt_translations.h"
#include "render/map_pictures.h"
#include "ui_map_panel.h"

namespace varomintel {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

constexpr int kBevel = 1;  // the panel's lowered bevel around the picture, pixels
constexpr int kSpacingBeside = 14;  // between the map's labels and the controls beside it, pixels
constexpr int kControlsGap = 6;              // between the longitude labels and the controls under the map, pixels

int Scaled(int pixels, double scale) { return static_cast<int>(std::lround(pixels * scale)); }

// The map's size at a scale: its width rounded, its height from the width, as the renderer
// derives it when it draws at width / 680.
QSize PictureAt(double scale) {
  const int width = Scaled(MapPanel::kPictureSize.width(), scale);
  return {width, static_cast<int>(std::lround(width * 0.5))};
}

// The room for the degree labels round the map's bevel at a scale: the renderer's label
// margins less the bevel, so that the drawn labels stand where the map's picture puts them.
// The right margin is not reserved: the labels there overlap the spacing before the
// controls by as much as the window's labels always did.
QMargins LabelRoomAt(double scale) {
  return {Scaled(kMapLabelMarginLeft, scale) - kBevel, Scaled(kMapLabelMarginTop, scale) - kBevel, 0,
          Scaled(kMapLabelMarginBottom, scale) + kBevel};
}

}  // namespace

MapPanel::MapPanel(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui::MapPanel>()) {
  ui_->setupUi(this);
  // The room the two groups leave, below them or (under the map) right of them: they stand
  // together, their tops in line.
  ui_->MapControlsLayout->setStretch(ui_->MapControlsLayout->indexOf(ui_->MapControlsRest), 1);
  for (QWidget* group : {static_cast<QWidget*>(ui_->GroupBox_Globus), static_cast<QWidget*>(ui_->GroupBox_Markierung)})
    ui_->MapControlsLayout->setAlignment(group, Qt::AlignTop);
  for (int i = 0; i < kMapPictureCount; ++i) ui_->ComboBox_Globus->addItem(QString());
  NameGlobes();
  ui_->Image_World->setToolTipSource(
      [this](QPoint pixel) { return Q(CoordinateText(MapPlaceAt(pixel.x(), pixel.y()), language_)); });

  connect(ui_->ComboBox_Globus, &QComboBox::currentIndexChanged, this, &MapPanel::mapChoiceChanged);
  connect(ui_->ComboBox_Globus, &QComboBox::currentIndexChanged, this, &MapPanel::NameGlobes);
  connect(ui_->CheckBox_Gradnetz, &QCheckBox::toggled, this, &MapPanel::graticuleToggled);
  connect(ui_->CheckBox_PoI, &QCheckBox::clicked, this, &MapPanel::markerToggled);
  // Enter, or leaving an entry whose text changed.
  connect(ui_->Edit_PoI_Breite, &QLineEdit::editingFinished, this, [this] { ApplyPoiEntry(PoiAxis::Latitude); });
  connect(ui_->Edit_PoI_Laenge, &QLineEdit::editingFinished, this, [this] { ApplyPoiEntry(PoiAxis::Longitude); });
  // Each change the user types (not the texts the panel writes itself).
  connect(ui_->Edit_PoI_Breite, &QLineEdit::textEdited, this, [this] { FollowTyping(PoiAxis::Latitude); });
  connect(ui_->Edit_PoI_Laenge, &QLineEdit::textEdited, this, [this] { FollowTyping(PoiAxis::Longitude); });
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

// The picture's margins round the map's bevel: the degree labels. The picture is laid so
// that its map area covers Image_World, at the same logical size.
void MapPanel::paintEvent(QPaintEvent*) {
  const QRect area = WorldMapAreaIn(shownDrawing_);
  if (picture_.isNull() || area.width() <= 0 || area.height() <= 0) return;
  const QRect image(ui_->Image_World->mapTo(this, QPoint(0, 0)), ui_->Image_World->size());
  const double fx = static_cast<double>(image.width()) / area.width();
  const double fy = static_cast<double>(image.height()) / area.height();
  const QRectF target(image.left() - area.left() * fx, image.top() - area.top() * fy, picture_.width() * fx,
                      picture_.height() * fy);
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(target, picture_);
}

double MapPanel::PhysicalScale() const {
  return devicePixelRatioF() * ui_->Image_World->width() / kPictureSize.width();
}

void MapPanel::SetScale(double scale, int arrangement) {
  const bool changed = scale != scale_;
  scale_ = scale;
  const QSize picture = PictureAt(scale) + QSize(2 * kBevel, 2 * kBevel);
  if (ui_->Panel_World->minimumSize() != picture || ui_->Panel_World->maximumSize() != picture)
    ui_->Panel_World->setFixedSize(picture);
  const QMargins room = LabelRoomAt(scale);
  const QMargins margins = ui_->MapLayout->contentsMargins();
  if (margins.left() != room.left() || margins.top() != room.top())
    ui_->MapLayout->setContentsMargins(room.left(), room.top(), margins.right(), margins.bottom());
  // Under the map the controls stand in a row, below the longitude labels.
  const bool under = arrangement == kControlsUnder;
  const int spacing = under ? room.bottom() + kControlsGap : kSpacingBeside;
  if (arrangement != arrangement_ || ui_->MapLayout->spacing() != spacing) {
    arrangement_ = arrangement;
    ui_->MapLayout->setDirection(under ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    ui_->MapControlsLayout->setDirection(under ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom);
    ui_->MapLayout->setAlignment(ui_->Panel_World, under ? Qt::AlignLeft : Qt::AlignTop);
    ui_->MapLayout->setSpacing(spacing);
  }
  if (changed) emit pictureSizeChanged();
}

// The controls' least size in a column (beside the map) or in a row (under it).
QSize MapPanel::ControlsSize(int arrangement) const {
  const QSize globe = ui_->GroupBox_Globus->minimumSize(), marker = ui_->GroupBox_Markierung->minimumSize();
  const int gap = ui_->MapControlsLayout->spacing();
  if (arrangement == kControlsUnder)
    return {globe.width() + gap + marker.width(), std::max(globe.height(), marker.height())};
  return {std::max(globe.width(), marker.width()), globe.height() + gap + marker.height()};
}

QSize MapPanel::SizeAtScale(double scale, int arrangement) const {
  const QMargins m = ui_->MapLayout->contentsMargins();
  const QMargins room = LabelRoomAt(scale);
  const QSize controls = ControlsSize(arrangement);
  const int mapWidth = PictureAt(scale).width() + 2 * kBevel;
  const int mapHeight = PictureAt(scale).height() + 2 * kBevel;
  if (arrangement == kControlsUnder) {
    const int labelsRight = Scaled(kMapLabelMarginRight, scale) - kBevel;
    return {room.left() + std::max(mapWidth + labelsRight, controls.width()) + m.right(),
            room.top() + mapHeight + room.bottom() + kControlsGap + controls.height() + m.bottom()};
  }
  return {room.left() + mapWidth + kSpacingBeside + controls.width() + m.right(),
          std::max(mapHeight + room.bottom(), controls.height()) + room.top() + m.bottom()};
}

void MapPanel::ApplySettings(const ParameterRecord& p) {
  {
    const QSignalBlocker block(ui_->ComboBox_Globus);
    ui_->ComboBox_Globus->setCurrentIndex(std::clamp(p.Int(param::kMap), 0, kMapPictureCount - 1));
  }
  ui_->CheckBox_Gradnetz->setChecked(p.Flag(param::kGraticule));
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

QWidget* MapPanel::MapImage() const { return ui_->Image_World; }

std::vector<QWidget*> MapPanel::ReadingOrder() const {
  return {ui_->ComboBox_Globus,      ui_->CheckBox_Gradnetz,   ui_->Edit_PoI_Breite,    ui_->RadioButton_PoI_Nord,
          ui_->RadioButton_PoI_Sued, ui_->Edit_PoI_Laenge,     ui_->RadioButton_PoI_Ost, ui_->RadioButton_PoI_West,
          ui_->CheckBox_PoI};
}

int MapPanel::MapChoice() const { return ui_->ComboBox_Globus->currentIndex(); }
bool MapPanel::GraticuleShown() const { return ui_->CheckBox_Gradnetz->isChecked(); }
bool MapPanel::MarkerShown() const { return ui_->CheckBox_PoI->isChecked(); }

std::optional<GeoPoint> MapPanel::PointOfInterest() const {
  if (!ui_->CheckBox_PoI->isChecked()) return std::nullopt;
  return place_;
}

MapDrawing MapPanel::Drawing() const {
  MapDrawing d;
  d.scale = PhysicalScale();
  d.graticule = ui_->CheckBox_Gradnetz->isChecked();
  d.degreeLabels = true;
  return d;
}

void MapPanel::ShowMap(const QImage& picture, const MapDrawing& drawing) {
  picture_ = picture;
  shownDrawing_ = drawing;
  ui_->Image_World->setImage(picture.copy(WorldMapAreaIn(drawing)));
  update();
}

// The maps by what they show, in the order of kMapPictureNames, each with where its picture
// comes from (data/SOURCES.md) as its hint; the choice's own hint is that of the chosen map.
void MapPanel::NameGlobes() {
  static_assert(kMapPictureCount == 4);
  const QString names[kMapPictureCount] = {tr("Blue Marble (NASA)"), tr("Relief map"), tr("Political map"), tr("White")};
  const QString sources[kMapPictureCount] = {
      tr("Satellite picture: Blue Marble, NASA Goddard Space Flight Center (public domain)"),
      tr("Shaded relief from SRTM30 elevations (public domain) and the Natural Earth land outline (public domain)"),
      tr("Countries of Natural Earth 1:50m (public domain)"),
      tr("Land outline of Natural Earth 1:50m (public domain)")};
  QComboBox* globes = ui_->ComboBox_Globus;
  for (int i = 0; i < kMapPictureCount && i < globes->count(); ++i) {
    globes->setItemText(i, names[i]);
    globes->setItemData(i, sources[i], Qt::ToolTipRole);
  }
  globes->setToolTip(globes->currentIndex() >= 0 ? sources[globes->currentIndex()] : QString());
}

void MapPanel::Retranslate(std::uint8_t language) {
  language_ = language;
  ui_->RadioButton_PoI_Ost->setText(QString(QChar(EastLetter(language))));
  ui_->RadioButton_PoI_West->setText(QString(QChar(WestLetter(language))));
  ui_->CheckBox_PoI->setToolTip(tr("Show the marked place on the map"));
  NameGlobes();
}

void MapPanel::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) {
    ui_->retranslateUi(this);
    Retranslate(WindowLanguage());
  }
  QWidget::changeEvent(event);
}

// The entry's text by the entry rule: trimmed and written back, or refused; the signed
// value into the marked place.
bool MapPanel::ReadPoiEntryOf(PoiAxis axis, Refusal refusal) {
  const bool latitude = axis == PoiAxis::Latitude;
  QLineEdit* edit = latitude ? ui_->Edit_PoI_Breite : ui_->Edit_PoI_Laenge;
  const bool negative = latitude ? ui_->RadioButton_PoI_Sued->isChecked() : ui_->RadioButton_PoI_West->isChecked();
  const double limit = latitude ? kLatitudeLimit : kLongitudeLimit;
  QString& accepted = acceptedText_[latitude ? 0 : 1];
  double& value = latitude ? place_.latitude : place_.longitude;
  const PoiEntry entry = ReadPoiEntry(edit->text().toStdString(), limit, negative);
  if (entry.refused && refusal == Refusal::Keep) {
    // The last accepted text is valid; read again, it follows a hemisphere changed meanwhile
    // and undoes a move that typing made.
    edit->setText(accepted);
    value = ReadPoiEntry(accepted.toStdString(), limit, negative).value;
    return false;
  }
  if (edit->text() != Q(entry.text)) edit->setText(Q(entry.text));
  accepted = Q(entry.text);
  value = entry.value;
  return true;
}

// An entry or a hemisphere: the marker on, and the map drawn again with it. A text that is
// no valid entry is refused with a message; the entry and the marked place stay as they were.
void MapPanel::ApplyPoiEntry(PoiAxis axis) {
  // The entry losing the focus to the message of a refusal: the refusal has been dealt with.
  if (refusedBox_ && refusedBox_->isVisible()) return;
  const QString typed = (axis == PoiAxis::Latitude ? ui_->Edit_PoI_Breite : ui_->Edit_PoI_Laenge)->text();
  const GeoPoint before = place_;
  if (!ReadPoiEntryOf(axis, Refusal::Keep)) {
    ReportRefusedEntry(axis, typed.trimmed());
    if (place_.latitude != before.latitude || place_.longitude != before.longitude) emit pointOfInterestChanged();
    return;
  }
  ui_->CheckBox_PoI->setChecked(true);
  emit pointOfInterestChanged();
}

void MapPanel::ReportRefusedEntry(PoiAxis axis, const QString& text) {
  const QString message = (axis == PoiAxis::Latitude
                               ? tr("'%1' is not a valid latitude: 0 to 90 degrees with a point, e.g. 47.5.")
                               : tr("'%1' is not a valid longitude: 0 to 180 degrees with a point, e.g. 7.5."))
                              .arg(text) +
                          "\n" + tr("The marked place stays where it was.");
  // One box at a time: Enter and then leaving the entry report once. Not waited for, so
  // that the entry's signal returns before the user answers.
  if (refusedBox_) {
    refusedBox_->setText(message);
    return;
  }
  refusedBox_ = new QMessageBox(QMessageBox::Warning, ui_->GroupBox_Markierung->title(), message, QMessageBox::Ok, window());
  refusedBox_->setObjectName("MessageBox_PoiRefused");
  refusedBox_->setAttribute(Qt::WA_DeleteOnClose);
  refusedBox_->open();
}

// A typed change that already reads as a number moves the marker (and switches it on); the
// entry's text stays as typed, and a text that is no number yet is left alone.
void MapPanel::FollowTyping(PoiAxis axis) {
  const bool latitude = axis == PoiAxis::Latitude;
  const QLineEdit* edit = latitude ? ui_->Edit_PoI_Breite : ui_->Edit_PoI_Laenge;
  const bool negative = latitude ? ui_->RadioButton_PoI_Sued->isChecked() : ui_->RadioButton_PoI_West->isChecked();
  const std::optional<double> value =
      ReadTypedPoiEntry(edit->text().toStdString(), latitude ? kLatitudeLimit : kLongitudeLimit, negative);
  if (!value) return;
  double& target = latitude ? place_.latitude : place_.longitude;
  if (*value == target && ui_->CheckBox_PoI->isChecked()) return;  // "4.5" to "4.50": nothing moves
  target = *value;
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
