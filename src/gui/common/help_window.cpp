#include "gui/common/help_window.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

#include <array>

namespace varomintel {

namespace {

using Texts = std::array<const char*, 3>;  // German, English, French (UTF-8)

QString Pick(const Texts& t, std::uint8_t lang) { return QString::fromUtf8(t[lang <= 2 ? lang : 0]); }

QString Escaped(const std::string& s) { return QString::fromStdString(s).toHtmlEscaped(); }

}  // namespace

std::string HelpFileName(std::uint8_t languageIndex) {
  static const char* const kNames[] = {"VaromintelDE.html", "VaromintelEN.html", "VaromintelFR.html"};
  return kNames[languageIndex <= 2 ? languageIndex : 0];
}

std::vector<std::string> HelpFolders(const std::string& currentDir, const std::string& programDir) {
  std::vector<std::string> folders;
  for (const std::string& f : {currentDir, programDir}) {
    if (f.empty()) continue;
    std::string folder = f.back() == '/' ? f : f + "/";
    if (folders.empty() || folders.front() != folder) folders.push_back(folder);
  }
  return folders;
}

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("HelpWindow");
  Browser = new QTextBrowser(this);
  Browser->setObjectName("Browser");
  Browser->setOpenExternalLinks(false);
  Browser->setOpenLinks(true);
  auto button = [this](const char* name, QStyle::StandardPixmap icon) {
    auto* b = new QToolButton(this);
    b->setObjectName(name);
    b->setIcon(style()->standardIcon(icon));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return b;
  };
  Button_Back = button("Button_Back", QStyle::SP_ArrowBack);
  Button_Forward = button("Button_Forward", QStyle::SP_ArrowForward);
  Button_Contents = button("Button_Contents", QStyle::SP_DirHomeIcon);
  Button_Close = button("Button_Close", QStyle::SP_DialogCloseButton);
  Button_Back->setEnabled(false);
  Button_Forward->setEnabled(false);
  connect(Button_Back, &QToolButton::clicked, Browser, &QTextBrowser::backward);
  connect(Button_Forward, &QToolButton::clicked, Browser, &QTextBrowser::forward);
  connect(Button_Contents, &QToolButton::clicked, Browser, &QTextBrowser::home);
  connect(Button_Close, &QToolButton::clicked, this, &QWidget::close);
  connect(Browser, &QTextBrowser::backwardAvailable, Button_Back, &QToolButton::setEnabled);
  connect(Browser, &QTextBrowser::forwardAvailable, Button_Forward, &QToolButton::setEnabled);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, &QWidget::close);

  auto* bar = new QHBoxLayout;
  bar->addWidget(Button_Back);
  bar->addWidget(Button_Forward);
  bar->addWidget(Button_Contents);
  bar->addStretch(1);
  bar->addWidget(Button_Close);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addLayout(bar);
  layout->addWidget(Browser, 1);
  resize(860, 760);
  ApplyLanguage(0);
}

void HelpWindow::ApplyLanguage(std::uint8_t lang) {
  setWindowTitle(Pick({"Varomintel – Hilfe", "Varomintel – Help", "Varomintel – Aide"}, lang));
  Button_Back->setText(Pick({"Zurück", "Back", "Précédent"}, lang));
  Button_Forward->setText(Pick({"Vorwärts", "Forward", "Suivant"}, lang));
  Button_Contents->setText(Pick({"Inhalt", "Contents", "Sommaire"}, lang));
  Button_Close->setText(Pick({"Schließen", "Close", "Fermer"}, lang));
}

QString HelpWindow::ShowFile(const std::string& fileName, const std::vector<std::string>& folders,
                             std::uint8_t lang) {
  ApplyLanguage(lang);
  for (const std::string& folder : folders) {
    const QFileInfo file(QString::fromStdString(folder + fileName));
    if (!file.isFile() || !file.isReadable()) continue;
    const QString path = file.absoluteFilePath();
    // Pictures and links in the page are found relative to the page's own folder.
    Browser->setSource(QUrl::fromLocalFile(path));
    Browser->clearHistory();
    return path;
  }
  QString searched;
  for (const std::string& folder : folders) searched += "<li><tt>" + Escaped(folder) + "</tt></li>";
  const QString head = Pick({"Die Hilfedatei %1 wurde nicht gefunden.", "The help file %1 was not found.",
                             "Le fichier d'aide %1 est introuvable."},
                            lang)
                           .arg("<b>" + Escaped(fileName) + "</b>");
  const QString where = Pick({"Gesucht in:", "Searched in:", "Dossiers examinés :"}, lang);
  const QString hint = Pick({"Die Hilfedateien gehören in den Ordner des Programms.",
                             "The help files belong in the program's folder.",
                             "Les fichiers d'aide doivent se trouver dans le dossier du programme."},
                            lang);
  Browser->clearHistory();
  Browser->setHtml("<h2>" + head + "</h2><p>" + where + "</p><ul>" + searched + "</ul><p>" + hint + "</p>");
  return QString();
}

}  // namespace varomintel
