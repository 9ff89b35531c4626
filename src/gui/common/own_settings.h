// The windows' settings that the parameter record has no field for (its layout is fixed):
// one INI file of our own, "window.ini" in the folder of the parameter file (normally
// ~/.config/Varomintel/). Every setting's key is named here, so that the file stays one list.
#pragma once

#include <QSettings>

#include <memory>

namespace varomintel {

// The file, opened anew at each call in the folder of the parameter file as it is then
// (tests give it a folder of their own); what one call writes the next one reads.
std::unique_ptr<QSettings> OwnSettings();

namespace own_key {
// An own Delta T in seconds, as the time-scale group's entry shows it; absent: the model's.
inline constexpr char kOwnDeltaT[] = "time/ownDeltaT";
// What the main window's diagram panel shows: 0 the shadow, 1 the sky at the marked place,
// 2 the shadow as seen from the marked place (DiagramChoice); absent or other: the shadow.
inline constexpr char kDiagramChoice[] = "diagram/choice";
}  // namespace own_key

}  // namespace varomintel
