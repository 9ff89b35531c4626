#include "gui/common/window_geometry.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

#include "app/parameter_file.h"

namespace varomintel {

WindowPlace CapturePlace(const QWidget& window) {
  WindowPlace p;
  // The frame's offset from the inner area (0 before the window manager framed it).
  const QPoint frameOffset = window.geometry().topLeft() - window.pos();
  const bool normal = !(window.isMaximized() || window.isMinimized() || window.isFullScreen());
  const QRect inner = normal || !window.normalGeometry().isValid() ? window.geometry() : window.normalGeometry();
  p.top = inner.top() - frameOffset.y();
  p.left = inner.left() - frameOffset.x();
  p.height = inner.height();
  p.width = inner.width();
  p.state = window.isMaximized() ? 2 : window.isMinimized() ? 1 : 0;
  return p;
}

void RestorePlace(QWidget& window, const WindowPlace& place) {
  // What a window manager's title bar takes above the inner area, pixels.
  constexpr int kTitleBar = 30;
  QRect area(0, 0, 1920, 1080);
  if (const QScreen* s = QGuiApplication::primaryScreen()) area = s->availableGeometry();
  QSize size = window.size();
  if (place.width > 0 && place.height > 0) size = QSize(place.width, place.height);
  // The inner area and the title bar above it fit the screen: the stored 773 pixels of
  // height would push the status bar off a 768-pixel screen.
  size = size.boundedTo(area.size() - QSize(0, kTitleBar));
  window.resize(size);
  const int top = std::clamp(place.top, area.top(), std::max(area.top(), area.bottom() - size.height() - kTitleBar));
  const int left = std::clamp(place.left, area.left(), std::max(area.left(), area.right() - size.width()));
  window.move(left, top);
  if (place.state == 2) window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

QRect FittedInnerGeometry(QSize wanted, QPoint at, const QRect& area) {
  const QSize room(std::max(1, area.width() - 2 * kFrameBorder), std::max(1, area.height() - kFrameTitleBar - kFrameBorder));
  const QSize size = wanted.boundedTo(room);
  // The inner area's top left, so that the frame round it stays within the area.
  const int minLeft = area.left() + kFrameBorder, minTop = area.top() + kFrameTitleBar;
  const int left = std::clamp(at.x(), minLeft, std::max(minLeft, area.right() + 1 - kFrameBorder - size.width()));
  const int top = std::clamp(at.y(), minTop, std::max(minTop, area.bottom() + 1 - kFrameBorder - size.height()));
  return {QPoint(left, top), size};
}

void FitOnScreen(QWidget& window, QSize wanted) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  // The frame's offset from the inner area; before the window manager framed the window
  // its estimate, as move() then places the frame.
  QPoint frame = window.geometry().topLeft() - window.pos();
  if (frame.isNull()) frame = QPoint(kFrameBorder, kFrameTitleBar);
  const QRect fitted = FittedInnerGeometry(wanted, window.pos() + frame, screen->availableGeometry());
  window.resize(fitted.size());
  window.move(fitted.topLeft() - frame);
}

void RestorePlace(QWidget& window, const ParameterRecord& record, const PlaceFields& fields) {
  WindowPlace place;
  place.top = record.Int(fields.top);
  place.left = record.Int(fields.left);
  place.height = record.Int(fields.height);
  place.width = record.Int(fields.width);
  place.state = record.Byte(fields.state);
  RestorePlace(window, place);
}

void StorePlace(const QWidget& window, ParameterRecord& record, const PlaceFields& fields) {
  const WindowPlace place = CapturePlace(window);
  record.SetInt(fields.top, place.top);
  record.SetInt(fields.left, place.left);
  record.SetInt(fields.height, place.height);
  record.SetInt(fields.width, place.width);
  record.SetByte(fields.state, place.state);
}

}  // namespace varomintel
