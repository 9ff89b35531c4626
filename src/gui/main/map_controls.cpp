// The main window's world map and point of interest: the map image in its panel with the
// graticule and the degree labels around it, the choice of maps, and the group that marks
// one place on the map.
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <array>
#include <utility>

#include "app/point_of_interest.h"
#include "app/varomintel_variables.h"
#include "app/world_map_model.h"
#include "gui/main/Varomintel_Unit_Main.h"
#include "gui/main/checked_pictures.h"
#include "gui/main/world_map_image.h"
#include "render/world_map.h"

namespace varomintel {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Graticule columns (every 60 deg of longitude) and rows (every 30 deg of latitude).
constexpr std::array<int, 5> kGraticuleColumns = {113, 227, 340, 453, 567};
constexpr std::array<int, 5> kGraticuleRows = {57, 113, 170, 227, 283};

constexpr int kLatitudeLabelWidth = 40;  // room for "90°N" left of the map
constexpr int kBevel = 1;                // the panel's lowered bevel around the picture

// A caption in German, English and French.
using Texts = std::array<const char*, 3>;
QString Pick(const Texts& t, std::uint8_t language) { return QString::fromUtf8(t[std::min<std::size_t>(language, 2)]); }

QLabel* DegreeLabel(QWidget* parent, const char* name, const char* text) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(name);
  return label;
}

}  // namespace

void TForm_Main::CreateWorldMapControls() {
  QWidget* client = Panel_World->parentWidget();
  // The panel holds the whole 680 x 340 picture inside its bevel, with the latitude labels
  // on its left and the longitude labels below it.
  const QPoint origin = Panel_World->pos();
  Panel_World->setGeometry(origin.x() + kLatitudeLabelWidth + 4, origin.y(), kMapWidth + 2 * kBevel,
                           kMapHeight + 2 * kBevel);
  Image_World = new WorldMapImage(Panel_World);
  Image_World->setObjectName("Image_World");
  Image_World->setGeometry(kBevel, kBevel, kMapWidth, kMapHeight);
  Image_World->setToolTipSource([this](QPoint pixel) { return MapToolTipAt(pixel); });

  for (std::size_t i = 0; i < Shapes.size(); ++i) {
    QFrame* line = new QFrame(Panel_World);
    line->setObjectName(QString("Shape%1").arg(i + 1));
    if (i < kGraticuleColumns.size()) line->setGeometry(kBevel + kGraticuleColumns[i], kBevel, 1, kMapHeight);
    else line->setGeometry(kBevel, kBevel + kGraticuleRows[i - kGraticuleColumns.size()], kMapWidth, 1);
    line->setAutoFillBackground(true);
    QPalette shadow = line->palette();
    shadow.setColor(QPalette::Window, shadow.color(QPalette::Dark));
    line->setPalette(shadow);
    line->setAttribute(Qt::WA_TransparentForMouseEvents);  // clicks and tooltips belong to the map
    line->hide();
    Shapes[i] = line;
  }

  // Degree labels, each beside the map row or column that it names.
  const QPoint map = Panel_World->pos() + QPoint(kBevel, kBevel);
  const std::array<std::pair<QLabel**, int>, 7> rows = {{{&Label_90N, 0},   {&Label_60N, 57},  {&Label_30N, 113},
                                                          {&Label_00N, 170}, {&Label_30S, 227}, {&Label_60S, 283},
                                                          {&Label_90S, 340}}};
  const std::array<const char*, 7> rowNames = {"Label_90N", "Label_60N", "Label_30N", "Label_00N",
                                               "Label_30S", "Label_60S", "Label_90S"};
  const std::array<const char*, 7> rowTexts = {"90°N", "60°N", "30°N", "0° -", "30°S", "60°S", "90°"};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    QLabel* label = DegreeLabel(client, rowNames[i], rowTexts[i]);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(origin.x(), map.y() + rows[i].second - 8, kLatitudeLabelWidth, 16);
    *rows[i].first = label;
  }
  const std::array<std::pair<QLabel**, int>, 7> columns = {{{&Label_180W, 0},   {&Label_120W, 113}, {&Label_060W, 227},
                                                             {&Label_0W, 340},    {&Label_060E, 453}, {&Label_120E, 567},
                                                             {&Label_180E, 680}}};
  const std::array<const char*, 7> columnNames = {"Label_180W", "Label_120W", "Label_060W", "Label_0W",
                                                  "Label_060E", "Label_120E", "Label_180E"};
  const std::array<const char*, 7> columnTexts = {"180°W", "120°W", "60°W", "0°", "60°E", "120°E", "180°E"};
  for (std::size_t i = 0; i < columns.size(); ++i) {
    QLabel* label = DegreeLabel(client, columnNames[i], columnTexts[i]);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(map.x() + columns[i].second - 25, map.y() + kMapHeight + kBevel + 2, 50, 18);
    *columns[i].first = label;
  }

  // The choice of maps and the graticule, right of the map.
  const int right = Panel_World->geometry().right() + 14;
  GroupBox_Globus = new QGroupBox("Globus", client);
  GroupBox_Globus->setObjectName("GroupBox_Globus");
  GroupBox_Globus->setGeometry(right, origin.y(), 220, 94);
  ComboBox_Globus = new QComboBox(GroupBox_Globus);
  ComboBox_Globus->setObjectName("ComboBox_Globus");
  ComboBox_Globus->setGeometry(10, 26, 200, 26);
  for (const MapPictureName& name : kMapPictureNames) ComboBox_Globus->addItem(name.item);
  CheckBox_Gradnetz = new QCheckBox("Gradnetz", GroupBox_Globus);
  CheckBox_Gradnetz->setObjectName("CheckBox_Gradnetz");
  CheckBox_Gradnetz->setGeometry(10, 60, 200, 24);

  // The point of interest: latitude and its hemisphere, longitude and its hemisphere, each
  // pair of buttons in a panel of its own so that the pairs are exclusive apart.
  GroupBox_Markierung = new QGroupBox("Markierung", client);
  GroupBox_Markierung->setObjectName("GroupBox_Markierung");
  GroupBox_Markierung->setGeometry(right, origin.y() + 104, 220, 96);
  Edit_PoI_Breite = new QLineEdit("47.5", GroupBox_Markierung);
  Edit_PoI_Breite->setObjectName("Edit_PoI_Breite");
  Edit_PoI_Breite->setGeometry(10, 26, 70, 24);
  Edit_PoI_Breite->setMaxLength(16);  // what the parameter record keeps
  auto* latitudeButtons = new QWidget(GroupBox_Markierung);
  latitudeButtons->setGeometry(86, 26, 90, 24);
  RadioButton_PoI_Nord = new QRadioButton("N", latitudeButtons);
  RadioButton_PoI_Nord->setObjectName("RadioButton_PoI_Nord");
  RadioButton_PoI_Nord->setGeometry(0, 0, 44, 24);
  RadioButton_PoI_Nord->setChecked(true);
  RadioButton_PoI_Sued = new QRadioButton("S", latitudeButtons);
  RadioButton_PoI_Sued->setObjectName("RadioButton_PoI_Sued");
  RadioButton_PoI_Sued->setGeometry(46, 0, 44, 24);
  Edit_PoI_Laenge = new QLineEdit("7.5", GroupBox_Markierung);
  Edit_PoI_Laenge->setObjectName("Edit_PoI_Laenge");
  Edit_PoI_Laenge->setGeometry(10, 60, 70, 24);
  Edit_PoI_Laenge->setMaxLength(16);
  auto* longitudeButtons = new QWidget(GroupBox_Markierung);
  longitudeButtons->setGeometry(86, 60, 90, 24);
  RadioButton_PoI_Ost = new QRadioButton("O", longitudeButtons);
  RadioButton_PoI_Ost->setObjectName("RadioButton_PoI_Ost");
  RadioButton_PoI_Ost->setGeometry(0, 0, 44, 24);
  RadioButton_PoI_Ost->setChecked(true);
  RadioButton_PoI_West = new QRadioButton("W", longitudeButtons);
  RadioButton_PoI_West->setObjectName("RadioButton_PoI_West");
  RadioButton_PoI_West->setGeometry(46, 0, 44, 24);
  CheckBox_PoI = new QCheckBox(GroupBox_Markierung);
  CheckBox_PoI->setObjectName("CheckBox_PoI");
  CheckBox_PoI->setGeometry(186, 42, 24, 24);

  connect(ComboBox_Globus, &QComboBox::currentIndexChanged, this, &TForm_Main::ComboBox_GlobusChange);
  connect(CheckBox_Gradnetz, &QCheckBox::toggled, this, &TForm_Main::CheckBox_GradnetzClick);
  connect(CheckBox_PoI, &QCheckBox::clicked, this, &TForm_Main::CheckBox_PoIClick);
  // Enter, or leaving an entry whose text changed.
  connect(Edit_PoI_Breite, &QLineEdit::editingFinished, this, &TForm_Main::Edit_PoI_BreiteKeyDown);
  connect(Edit_PoI_Laenge, &QLineEdit::editingFinished, this, &TForm_Main::Edit_PoI_LaengeKeyDown);
  connect(RadioButton_PoI_Nord, &QRadioButton::clicked, this, &TForm_Main::RadioButton_PoI_NordClick);
  connect(RadioButton_PoI_Sued, &QRadioButton::clicked, this, &TForm_Main::RadioButton_PoI_SuedClick);
  connect(RadioButton_PoI_Ost, &QRadioButton::clicked, this, &TForm_Main::RadioButton_PoI_OstClick);
  connect(RadioButton_PoI_West, &QRadioButton::clicked, this, &TForm_Main::RadioButton_PoI_WestClick);
  connect(Image_World, &WorldMapImage::pixelClicked, this, &TForm_Main::Image_WorldClick);

  mapPictures_ = LoadCheckedMapPictures(MapPictureFolder(Vars().ProgramDir), refusedPictures_);
}

// The stored map choice, graticule and point of interest. A stored entry text is read by
// the entry rule, so that the entry and the marked place always agree.
void TForm_Main::ApplyMapSettings(const ParameterRecord& p) {
  {
    const QSignalBlocker block(ComboBox_Globus);
    ComboBox_Globus->setCurrentIndex(std::clamp(p.Int(param::kMap), 0, kMapPictureCount - 1));
  }
  CheckBox_Gradnetz->setChecked(p.Flag(param::kGraticule));
  ShowGraticule(CheckBox_Gradnetz->isChecked());
  Edit_PoI_Breite->setText(Q(p.ShortString(param::kPoiLatitude)));
  Edit_PoI_Laenge->setText(Q(p.ShortString(param::kPoiLongitude)));
  (p.Flag(param::kPoiSouth) ? RadioButton_PoI_Sued : RadioButton_PoI_Nord)->setChecked(true);
  (p.Flag(param::kPoiWest) ? RadioButton_PoI_West : RadioButton_PoI_Ost)->setChecked(true);
  CheckBox_PoI->setChecked(p.Flag(param::kPoiShown));
  ReadPoiEntryOf(PoiAxis::Latitude);
  ReadPoiEntryOf(PoiAxis::Longitude);
  TranslateMapControls();
}

void TForm_Main::StoreMapSettings(ParameterRecord& p) const {
  p.SetShortString(param::kPoiLatitude, Edit_PoI_Breite->text().toStdString());
  p.SetFlag(param::kPoiNorth, RadioButton_PoI_Nord->isChecked());
  p.SetFlag(param::kPoiSouth, RadioButton_PoI_Sued->isChecked());
  p.SetShortString(param::kPoiLongitude, Edit_PoI_Laenge->text().toStdString());
  p.SetFlag(param::kPoiEast, RadioButton_PoI_Ost->isChecked());
  p.SetFlag(param::kPoiWest, RadioButton_PoI_West->isChecked());
  p.SetFlag(param::kPoiShown, CheckBox_PoI->isChecked());
  p.SetInt(param::kMap, std::max(0, ComboBox_Globus->currentIndex()));
  p.SetFlag(param::kGraticule, CheckBox_Gradnetz->isChecked());
}

void TForm_Main::TranslateMapControls() {
  const std::uint8_t lang = Vars().LanguageIndex;
  GroupBox_Markierung->setTitle(Pick({"Markierung", "Point of Interest", "Marque"}, lang));
  GroupBox_Globus->setTitle(Pick({"Globus", "Globe", "Globe"}, lang));
  CheckBox_Gradnetz->setText(Pick({"Gradnetz", "Graticule", "Quadrillage"}, lang));
  RadioButton_PoI_Ost->setText(QString(QChar(EastLetter(lang))));
  RadioButton_PoI_West->setText(QString(QChar(WestLetter(lang))));
  const std::array<std::pair<QLabel*, int>, 6> sides = {
      {{Label_180W, -180}, {Label_120W, -120}, {Label_060W, -60}, {Label_060E, 60}, {Label_120E, 120}, {Label_180E, 180}}};
  for (const auto& [label, degrees] : sides)
    label->setText(QString("%1°%2").arg(std::abs(degrees)).arg(QChar(degrees < 0 ? WestLetter(lang) : EastLetter(lang))));
  DrawWorldMap();
}

void TForm_Main::DrawWorldMap() {
  const VaromintelVariables& v = Vars();
  const MapPicturePair& pictures = mapPictures_.Pair(ComboBox_Globus->currentIndex());
  if (selection_.index == 0) {  // nothing selected yet: the bare map
    Image_World->setImage(pictures.map);
    return;
  }
  WorldMapInputs inputs;
  inputs.map = pictures.map;
  inputs.dark = pictures.dark;
  inputs.eclipse = WorldMapEclipseOf(selection_.record, selection_.circumstances);
  inputs.language = v.LanguageIndex;
  if (CheckBox_PoI->isChecked()) inputs.pointOfInterest = GeoPoint{v.PoiLatitude, v.PoiLongitude};
  Image_World->setImage(RenderWorldMap(inputs));
}

// Handlers: each names the control and event of the design and calls what it does.
void TForm_Main::ComboBox_GlobusChange(int) { DrawWorldMap(); }
void TForm_Main::CheckBox_GradnetzClick(bool checked) { ShowGraticule(checked); }
void TForm_Main::CheckBox_PoIClick() { DrawWorldMap(); }
void TForm_Main::Edit_PoI_BreiteKeyDown() { ApplyPoiEntry(PoiAxis::Latitude); }
void TForm_Main::Edit_PoI_LaengeKeyDown() { ApplyPoiEntry(PoiAxis::Longitude); }
void TForm_Main::RadioButton_PoI_NordClick() { ApplyPoiEntry(PoiAxis::Latitude); }
void TForm_Main::RadioButton_PoI_SuedClick() { ApplyPoiEntry(PoiAxis::Latitude); }
void TForm_Main::RadioButton_PoI_OstClick() { ApplyPoiEntry(PoiAxis::Longitude); }
void TForm_Main::RadioButton_PoI_WestClick() { ApplyPoiEntry(PoiAxis::Longitude); }
void TForm_Main::Image_WorldClick(QPoint pixel) { MarkPlaceAt(pixel); }

void TForm_Main::ShowGraticule(bool shown) {
  for (QFrame* line : Shapes) line->setVisible(shown);
}

// The entry's text by the entry rule: trimmed and written back, or emptied when refused;
// the signed value into the marked place.
void TForm_Main::ReadPoiEntryOf(PoiAxis axis) {
  VaromintelVariables& v = Vars();
  const bool latitude = axis == PoiAxis::Latitude;
  QLineEdit* edit = latitude ? Edit_PoI_Breite : Edit_PoI_Laenge;
  const bool negative = latitude ? RadioButton_PoI_Sued->isChecked() : RadioButton_PoI_West->isChecked();
  const PoiEntry entry = ReadPoiEntry(edit->text().toStdString(), latitude ? kLatitudeLimit : kLongitudeLimit, negative);
  if (edit->text() != Q(entry.text)) edit->setText(Q(entry.text));
  (latitude ? v.PoiLatitude : v.PoiLongitude) = entry.value;
}

void TForm_Main::ApplyPoiEntry(PoiAxis axis) {
  ReadPoiEntryOf(axis);
  ShowPointOfInterest();
}

// The marker on, and the eclipse selected again, which redraws the map with it.
void TForm_Main::ShowPointOfInterest() {
  CheckBox_PoI->setChecked(true);
  SelectEclipse();
}

// A click on the map: the clicked place into both entries with one decimal, then the
// entry rule for both.
void TForm_Main::MarkPlaceAt(QPoint pixel) {
  const PoiTexts texts = PoiTextsFor(MapPlaceAt(pixel.x(), pixel.y()));
  Edit_PoI_Breite->setText(Q(texts.latitude));
  (texts.south ? RadioButton_PoI_Sued : RadioButton_PoI_Nord)->setChecked(true);
  Edit_PoI_Laenge->setText(Q(texts.longitude));
  (texts.west ? RadioButton_PoI_West : RadioButton_PoI_Ost)->setChecked(true);
  ReadPoiEntryOf(PoiAxis::Latitude);
  ReadPoiEntryOf(PoiAxis::Longitude);
  ShowPointOfInterest();
}

QString TForm_Main::MapToolTipAt(QPoint pixel) const {
  return Q(CoordinateText(MapPlaceAt(pixel.x(), pixel.y()), Vars().LanguageIndex));
}

}  // namespace varomintel
