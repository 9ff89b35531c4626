// Names and descriptions for screen readers. Every control of a window gets an accessible
// name in the language shown: its caption without the '&' of its shortcut key, else its
// hint (tooltip), else the name kept here for the few controls that show neither, else the
// caption of the label that names it (its buddy, or the label right before it, left of it
// or above it, with no control between), else the title of its group. Called again after
// each language switch, it renews the names it gave and leaves any name set otherwise alone.
#pragma once

#include <QString>

#include <cstdint>

#include "app/eclipse_view.h"
#include "app/world_map_model.h"

class QWidget;

namespace varomintel {

// A caption as a screen reader should say it: "&&" becomes "&", a single '&' goes.
QString WithoutMnemonic(const QString& caption);

// Names every control of `window` in the windows' language: by its caption, or by the
// installed catalogue's name for a control without one; now and whenever the window is
// shown again (when its labels' places are known). Call it once the window's captions are
// in the language (`language` is that of the captions).
void NameControlsForScreenReaders(QWidget* window, std::uint8_t language);

// What the shadow diagram shows: the eclipse's type and date and the time shown, e.g.
// "Partial Lunar Eclipse, 2023-10-28. Shown: 2023-10-28  20:14:07 UTC".
QString DiagramDescription(const EclipseRecord& record, const ShownMoment& now, std::uint8_t language);

// What the map shows: the eclipse's type and date and where it is seen: the hemisphere
// round the point that has the Moon in the zenith at greatest eclipse, with that point's
// latitude and longitude in whole tenths of a degree.
QString MapDescription(const EclipseRecord& record, const WorldMapEclipse& eclipse, std::uint8_t language);

}  // namespace varomintel
