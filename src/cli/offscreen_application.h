// The toolkit application that the picture commands paint with.
#pragma once

#include <QGuiApplication>

#include <memory>

namespace varomintel::cli {

// Text on a QImage needs a QGuiApplication. The command line never shows a window, so it
// always runs on the offscreen platform: a QT_QPA_PLATFORM inherited from a desktop
// session (xcb without a display, wayland without a compositor, a misspelt name) would
// otherwise make the toolkit abort before the command could say anything. The toolkit's
// own notes (a missing runtime folder, ...) stay off standard error, which carries only
// the command's messages and the toolkit's critical ones. Returns the application for the
// caller to keep while it paints; null when one exists already.
std::unique_ptr<QGuiApplication> OffscreenApplication();

}  // namespace varomintel::cli
