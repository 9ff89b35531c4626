// The caption that a picture or video saved from the shadow diagram or the world map
// carries, so that a copy on a slide still says what it shows: the date and time in the
// chosen time scale and zone, the eclipse's type and the program's name, in the chosen
// language. Composed here, drawn by the renderer (render/picture_caption.h).
#pragma once

#include <string>

#include "app/selected_eclipse.h"
#include "eclipse/eclipse_type.h"

namespace varomintel {

// The program's name as the captions write it.
inline constexpr const char* kCaptionProgramName = "Varomintel";

// Given: the instant as Julian days of terrestrial and of universal time, the time settings
// (scale, zone, language), the eclipse's type, and whether the instant is greatest eclipse
// (the world map shows the eclipse then). Returned: one line,
//   [greatest-eclipse words] date-time  ·  long type name  ·  Varomintel
// with the date-time as the diagram writes it ("2022-11-08  10:59:11 UTC"); in universal
// time shifted by the zone and marked with it when it is not 0 ("UTC+1.00"), in
// terrestrial time "TT" (a zone does not apply there).
std::string PictureCaption(double jdTT, double jdUT, const TimeSettings& settings, EclipseTypeCode type,
                           bool atGreatest);

// The caption of the diagram of `selection` at the slider position `position`.
std::string DiagramPictureCaption(const SelectedEclipse& selection, int position, const TimeSettings& settings);

// The caption of the world map of `selection`: greatest eclipse.
std::string MapPictureCaption(const SelectedEclipse& selection, const TimeSettings& settings);

}  // namespace varomintel
