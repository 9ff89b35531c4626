#include "gui/common/about_dialog.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "gui/common/about_panel.h"

namespace varomintel {

namespace {

// A resource's text (UTF-8), or an empty text when it is missing.
QString ResourceText(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QTextBrowser* NewPage(QWidget* parent, const char* name) {
  auto* page = new QTextBrowser(parent);
  page->setObjectName(name);
  page->setOpenExternalLinks(true);
  return page;
}

}  // namespace

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutDialog");
  icon_ = new QLabel(this);
  icon_->setObjectName("AboutIcon");
  const QPixmap icon(":/about/varomintel.png");
  icon_->setPixmap(icon.scaled(64, 64, Qt::KeepAspectRatio, Qt::SmoothTransformation));
  icon_->setAlignment(Qt::AlignTop);
  name_ = new QLabel(this);
  name_->setObjectName("AboutName");
  QFont big = name_->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.6);
  name_->setFont(big);
  summary_ = new QLabel(this);
  summary_->setObjectName("AboutSummary");
  summary_->setWordWrap(true);
  copyright_ = new QLabel(this);
  copyright_->setObjectName("AboutCopyright");

  auto* heading = new QVBoxLayout;
  heading->addWidget(name_);
  heading->addWidget(summary_);
  heading->addWidget(copyright_);
  auto* top = new QHBoxLayout;
  top->addWidget(icon_);
  top->addSpacing(8);
  top->addLayout(heading, 1);

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("AboutTabs");
  credits_ = NewPage(tabs_, "AboutCredits");
  sources_ = NewPage(tabs_, "AboutSources");
  licence_ = NewPage(tabs_, "AboutLicence");
  licence_->setLineWrapMode(QTextEdit::NoWrap);
  // The version record keeps its own fixed grid, scrolled where the tab is smaller.
  details_ = new AboutPanel(nullptr);
  details_->Button_About_OK->hide();
  details_->setFrameShape(QFrame::NoFrame);
  details_->setFixedHeight(details_->StringGrid_VersionsInfo->geometry().bottom() + 8);
  details_->show();
  auto* detailsScroll = new QScrollArea(tabs_);
  detailsScroll->setObjectName("AboutDetails");
  detailsScroll->setFocusPolicy(Qt::NoFocus);  // the grid inside takes the keyboard
  detailsScroll->setWidget(details_);
  detailsScroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  tabs_->addTab(credits_, QString());
  tabs_->addTab(sources_, QString());
  tabs_->addTab(licence_, QString());
  tabs_->addTab(detailsScroll, QString());

  buttons_ = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons_->setObjectName("AboutButtons");
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(tabs_, 1);
  layout->addWidget(buttons_);

  // The data sources in their own words (English), as shipped beside the data; the
  // licence as the package states it.
  sources_->setMarkdown(ResourceText(":/about/SOURCES.md"));
  licence_->setPlainText(ResourceText(":/about/copyright"));
  resize(680, 560);
  Retranslate();
}

void AboutDialog::SetVersion(const FileVersionInfo& info) {
  details_->FillVersionGrid(info);
  details_->Label_Varomintel->setText("Varomintel      " + details_->FileVersionCell());
  name_->setText("Varomintel " + details_->FileVersionCell());
}

void AboutDialog::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) Retranslate();
  QDialog::changeEvent(event);
}

void AboutDialog::Retranslate() {
  setWindowTitle(tr("About Varomintel"));
  summary_->setText(tr("Explore the lunar eclipses from the year -4999 to 7000: the Moon's path through the "
                       "Earth's shadow, where on the Earth each eclipse is seen, and its course at any place."));
  copyright_->setText(tr("Copyright © 2026 Varomintel team"));
  tabs_->setTabText(0, tr("Credits"));
  tabs_->setTabText(1, tr("Data sources"));
  tabs_->setTabText(2, tr("Licence"));
  tabs_->setTabText(3, tr("Version details"));
  credits_->setAccessibleName(tr("Credits"));
  sources_->setAccessibleName(tr("Data sources"));
  licence_->setAccessibleName(tr("Licence"));
  details_->StringGrid_VersionsInfo->setAccessibleName(tr("Version details"));
  // What the program rests on, each with its author or maker and its licence; the
  // "Data sources" tab has the details of every file.
  const QStringList credits = {
      tr("<b>Eclipse catalogue</b>: computed from the JPL DE431 ephemeris (public domain) with the Swiss "
         "Ephemeris; Saros numbers after Espenak and Meeus, <i>Five Millennium Canon of Lunar Eclipses</i> "
         "(NASA/TP-2009-214172); shadow radii by Danjon's rule."),
      tr("<b>Astronomical methods</b>: J. Meeus, <i>Astronomical Algorithms</i>; Delta T after Espenak and "
         "Meeus; constellations after N. G. Roman (1987)."),
      tr("<b>World maps</b>: Blue Marble, NASA Goddard Space Flight Center; SRTM30 elevations; Natural Earth "
         "(all public domain)."),
      tr("<b>Moon pictures</b>: USGS Astrogeology and Clementine maps (public domain)."),
      tr("<b>Places</b>: GeoNames (geonames.org), CC BY 4.0; country names from the iso-codes project (LGPL-2.1+)."),
      tr("<b>Libraries</b>: Qt %1 (LGPL-3.0); FFmpeg (LGPL-2.1+) for the videos.").arg(qVersion()),
  };
  credits_->setHtml("<p>" + credits.join("</p><p>") + "</p>");
}

}  // namespace varomintel
