// Where a window stands, as the parameter file stores it: the top-left corner of its frame
// (title bar included), the size of its inner area and its state. Storing the inner
// area's corner and restoring it as the frame's would move the window down by a title bar
// at every start.
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>

#include "app/parameter_file.h"

class QWidget;

namespace varomintel {

struct WindowPlace {
  int top = 0, left = 0;      // of the frame, pixels
  int height = 0, width = 0;  // of the inner area, pixels; 0: keep the design size
  std::uint8_t state = 0;     // 0 normal, 1 minimised, 2 maximised
};

// The window's place in its normal state (also while it is maximised or minimised).
WindowPlace CapturePlace(const QWidget& window);

// Sizes and moves the window to `place`, moved as little as needed to keep it on the
// available area of its screen (another monitor, another resolution), and maximises it
// when the state says so. A window is never restored minimised.
void RestorePlace(QWidget& window, const WindowPlace& place);

// What a window manager's frame takes round a window's inner area, pixels (an estimate
// until the window is framed): the title bar above, a border on each side.
inline constexpr int kFrameTitleBar = 30;
inline constexpr int kFrameBorder = 2;

// The inner area of a window that wants `wanted` pixels at `at` (its inner area's top
// left), made to fit `area` (a screen's available area) with its frame: as large as wanted
// where the area allows, smaller otherwise, and moved as little as needed to lie within it.
QRect FittedInnerGeometry(QSize wanted, QPoint at, const QRect& area);

// Sizes and moves a window by FittedInnerGeometry on the available area of its screen
// (the primary screen before it has one): a window of `wanted` pixels never reaches off a
// smaller screen (a help window of 760 pixels on a 720-pixel screen).
void FitOnScreen(QWidget& window, QSize wanted);

// The fields of a window's place in the parameter record.
struct PlaceFields {
  param::Int32Field top, left, height, width;
  param::ByteField state;
};
void RestorePlace(QWidget& window, const ParameterRecord& record, const PlaceFields& fields);
void StorePlace(const QWidget& window, ParameterRecord& record, const PlaceFields& fields);

}  // namespace varomintel
