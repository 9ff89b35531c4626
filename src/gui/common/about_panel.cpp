#include "gui/common/about_panel.h"

#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QTableWidget>

namespace varomintel {

AboutPanel::AboutPanel(QWidget* parent) : QFrame(parent) {
  setObjectName("Panel_About");
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Raised);
  setAutoFillBackground(true);
  resize(kWidth, kHeight);

  Image1 = new QLabel(this);
  Image1->setObjectName("Image1");
  Image1->setGeometry(8, 8, 26, 33);
  // A small Moon from the shipped pictures, scaled to fit.
  const QPixmap moon("mond70.bmp");
  if (!moon.isNull()) Image1->setPixmap(moon.scaled(26, 33, Qt::KeepAspectRatio, Qt::SmoothTransformation));

  Label_Varomintel = new QLabel(this);
  Label_Varomintel->setObjectName("Label_Varomintel");
  Label_Varomintel->setGeometry(44, 10, kWidth - 52, 28);
  QFont title = Label_Varomintel->font();
  title.setBold(true);
  title.setPixelSize(20);
  Label_Varomintel->setFont(title);

  StringGrid_VersionsInfo = new QTableWidget(17, 2, this);
  StringGrid_VersionsInfo->setObjectName("StringGrid_VersionsInfo");
  StringGrid_VersionsInfo->setGeometry(8, 48, 2 * 195 + 4, 17 * 19 + 4);
  StringGrid_VersionsInfo->horizontalHeader()->hide();
  StringGrid_VersionsInfo->verticalHeader()->hide();
  StringGrid_VersionsInfo->horizontalHeader()->setDefaultSectionSize(195);
  StringGrid_VersionsInfo->verticalHeader()->setDefaultSectionSize(19);
  StringGrid_VersionsInfo->verticalHeader()->setMinimumSectionSize(19);
  StringGrid_VersionsInfo->setEditTriggers(QAbstractItemView::NoEditTriggers);
  StringGrid_VersionsInfo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  StringGrid_VersionsInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  QFont bold = StringGrid_VersionsInfo->font();
  bold.setBold(true);
  StringGrid_VersionsInfo->setFont(bold);

  Button_About_OK = new QPushButton("OK", this);
  Button_About_OK->setObjectName("Button_About_OK");
  Button_About_OK->setGeometry(kWidth / 2 - 40, kHeight - 44, 80, 28);
  connect(Button_About_OK, &QPushButton::clicked, this, &QWidget::hide);
  hide();
}

void AboutPanel::FillVersionGrid(const FileVersionInfo& info) {
  const auto rows = VersionGridRows(info);
  for (int r = 0; r < 17; ++r) {
    const auto& [label, value] = rows[static_cast<std::size_t>(r)];
    StringGrid_VersionsInfo->setItem(r, 0, new QTableWidgetItem(QString::fromStdString(label)));
    StringGrid_VersionsInfo->setItem(r, 1, new QTableWidgetItem(QString::fromStdString(value)));
  }
}

QString AboutPanel::FileVersionCell() const {
  const QTableWidgetItem* item = StringGrid_VersionsInfo->item(3, 1);
  return item ? item->text() : QString();
}

}  // namespace varomintel
