// Finds a window's control by its design name, as a user's script would; a missing or
// mistyped control fails the test with the name instead of crashing it.
#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QTest>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "app/startup_data.h"
#include "gui/common/qt_translations.h"

namespace varomintel::testing {

template <class T>
T* Find(const QObject& root, const char* name) {
  T* control = root.findChild<T*>(QString::fromUtf8(name));
  if (!control) throw std::runtime_error(std::string("no control named ") + name);
  return control;
}

// Resizes the main window and waits until its pictures are drawn at the new size.
template <class Window>
void ResizeAndWait(Window& window, QSize size) {
  window.resize(size);
  QCoreApplication::processEvents();
  if (!QTest::qWaitFor([&] { return !window.PicturesPending(); }, 5000))
    throw std::runtime_error("the pictures were not drawn at the new size");
}

// Shows the main window with its inner area at the design size, whatever the screen, so
// that the diagram and the map have their design size (scale 1).
template <class Window>
void ShowAtDesignSize(Window& window) {
  window.show();
  QCoreApplication::processEvents();
  const QSize frame = window.size() - window.centralWidget()->size();
  ResizeAndWait(window, Window::kDesignClientSize + frame);
}

// What the menu "Option" does where no main window is: the program's language and its
// catalogues, and every window's texts after them.
inline void SwitchWindowLanguage(std::uint8_t language) {
  InstallTranslations(language);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
}

}  // namespace varomintel::testing
