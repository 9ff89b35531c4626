// The texts of what an observer sees of an eclipse (places/local_sky.h) in German,
// English, French and Spanish: the sky's darkness, the compass direction, the table of the
// contacts and the sentence that sums it up. The command line prints them; a window can
// show the same texts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "astro/calendar.h"
#include "eclipse/catalogue.h"
#include "eclipse/circumstances.h"
#include "places/delta_t_visibility.h"
#include "places/historian_clock.h"
#include "places/local_sky.h"

namespace varomintel {

// "civil twilight", "bürgerliche Dämmerung", "crépuscule civil", ...
const char* TwilightText(Twilight twilight, std::uint8_t languageIndex);

// One of the 16 compass points for an azimuth (degrees from north through east):
// "SE", "SO" (German), "SE" (French), ...
const char* CompassPoint(double azimuthDeg, std::uint8_t languageIndex);

// "074° ENE": the azimuth in whole degrees with three digits, then the compass point.
std::string AzimuthText(double azimuthDeg, std::uint8_t languageIndex);

// "yes" or "no" of the column "Visible".
const char* VisibleAnswer(bool visible, std::uint8_t languageIndex);

// A line of the Moon crossing the horizon: "Moonrise: " or "Moonset: " and `when`.
std::string HorizonCrossingText(bool rising, const std::string& when, std::uint8_t languageIndex);

// "No moonrise or moonset between P1 and P4."
const char* NoCrossingText(std::uint8_t languageIndex);

// The sentence that sums up what the place sees: the deepest phase that is visible,
// whether wholly or in part, the Moon's altitude and direction (at greatest eclipse, or
// the nearest instant of that phase at which the Moon is up), the sky when it is not yet
// dark, and whether moonrise or moonset cut the eclipse (no direction at a pole, where
// every direction is the same). For example "Totality visible,
// the Moon 23° high in the south-east; the eclipse ends after moonset."
std::string LocalSummary(const EclipseRecord& eclipse, double deltaT, const Observer& observer,
                         const LocalEclipseView& view, std::uint8_t languageIndex);

// The verdict of VisibilityOverDeltaT in words, over model +- 2 sigma: "visible whatever
// Delta T", "not visible whatever Delta T", or "visible only if Delta T < 21400 s" (the
// visible intervals within the range as conditions in whole seconds, joined by " or ").
std::string DeltaTVerdictText(const DeltaTVisibility& visibility, double modelDeltaT, double sigma,
                              std::uint8_t languageIndex);

// For a date before 1582-10-15: the historian's year and the calendar, " (721 BC, Julian
// calendar)", " (AD 1066, Julian calendar)", " (721 v. Chr., julianischer Kalender)"; empty
// for a Gregorian date.
std::string HistoriansDateNote(const CalendarDate& date, std::uint8_t languageIndex);

// The date of greatest eclipse as the report writes it (zone hours added, deltaT seconds
// taken off the terrestrial time; both 0 in terrestrial time) with the note above:
// "-720-03-19 (721 BC, Julian calendar)"; empty for a Gregorian date.
std::string HistoriansMaxDate(const EclipseRecord& record, const EclipseCircumstances& circumstances, double zone,
                              double deltaT, std::uint8_t languageIndex);

// The historian's clock of each contact as a table: a title, a header, a line per contact
// (hours with two decimals, "-" where there is none, then the local apparent time) and a
// legend. Lines without line ends.
std::vector<std::string> HistorianClockLines(const LocalEclipseView& view, const PerContact<HistorianClock>& clocks,
                                             std::uint8_t languageIndex);

// "Visibility for an uncertain Delta T (model ± 2σ):"
const char* DeltaTVerdictTitle(std::uint8_t languageIndex);

// The text form: a title, the place (its `name`, when not empty, before the coordinates),
// the column header, a line per contact (date and
// clock in universal time shifted by `zone` hours, as the report shows them), the
// moonrise and moonset lines, a legend and the summary. Lines without line ends.
std::vector<std::string> LocalSkyLines(int index, const EclipseRecord& eclipse, double deltaT,
                                       const Observer& observer, const std::string& name,
                                       const LocalEclipseView& view, double zone, std::uint8_t languageIndex);

}  // namespace varomintel
