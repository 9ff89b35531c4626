#include "app/observer_view.h"

#include <cmath>

#include "app/point_of_interest.h"
#include "astro/delta_t.h"
#include "eclipse/contact.h"
#include "eclipse/report.h"
#include "places/local_sky_text.h"
#include "text/number_text.h"

namespace varomintel {

namespace {

using Three = const char* const[3];  // German, English, French (UTF-8)

std::uint8_t Lang(std::uint8_t l) { return l <= 2 ? l : 0; }

constexpr Three kNoPlace = {
    "Kein Ort markiert. Klicken Sie auf die Weltkarte oder tippen Sie Breite und Länge unter "
    "\u201EMarkierung\u201C ein: Hier steht dann, was man dort von der Finsternis sieht.",
    "No place is marked. Click the world map, or type a latitude and longitude under "
    "\u201CPoint of Interest\u201D: this panel then shows what is seen of the eclipse there.",
    "Aucun lieu marqué. Cliquez sur la carte du monde ou tapez une latitude et une longitude sous "
    "\u00AB\u00A0Marque\u00A0\u00BB : ce panneau montre alors ce qu'on y voit de l'éclipse."};
constexpr Three kPlace = {"Ort: ", "Place: ", "Lieu : "};
constexpr Three kSeaLevel = {", Meereshöhe", ", sea level", ", niveau de la mer"};
constexpr Three kTimesIn = {"Zeiten in ", "Times in ", "Heures en "};
constexpr const char* kHeader[kObserverColumns][3] = {
    {"Kontakt", "Contact", "Contact"}, {"Zeit", "Time", "Heure"},       {"Mond", "Moon", "Lune"},
    {"Azimut", "Azimuth", "Azimut"},   {"Achse", "Axis", "Axe"},        {"Sonne", "Sun", "Soleil"},
    {"Himmel", "Sky", "Ciel"},         {"Sichtbar", "Visible", "Visible"},
};
constexpr Three kColon = {": ", ": ", " : "};
constexpr Three kAzimuth = {", Azimut ", ", azimuth ", ", azimut "};
constexpr Three kSun = {", Sonne ", ", Sun ", ", Soleil "};
constexpr Three kLegend = {
    "Mond: scheinbare Höhe der Mondmitte (mit Parallaxe und Refraktion); Azimut von Nord über Ost; "
    "Achse: Höhe der Schattenachse wie im Bericht und in den Listen; Sonne: Höhe der Sonnenmitte; "
    "sichtbar: der obere Mondrand steht über dem Horizont.",
    "Moon: apparent altitude of the Moon's centre (with parallax and refraction); azimuth from north through "
    "east; Axis: altitude of the shadow's axis as in the report and the lists; Sun: altitude of the Sun's "
    "centre; visible: the Moon's upper limb is above the horizon.",
    "Lune : hauteur apparente du centre de la Lune (avec parallaxe et réfraction) ; azimut compté du nord vers "
    "l'est ; Axe : hauteur de l'axe de l'ombre comme dans le rapport et les listes ; Soleil : hauteur du centre "
    "du Soleil ; visible : le bord supérieur de la Lune est au-dessus de l'horizon."};
constexpr Three kMoonNow = {" \u2013 Mondhöhe ", " \u2013 the Moon's altitude ", " \u2013 hauteur de la Lune "};
constexpr Three kVisible = {"sichtbar", "visible", "visible"};
constexpr Three kBelow = {"unter dem Horizont", "below the horizon", "sous l'horizon"};
constexpr Three kSunNow = {"Sonne ", "Sun ", "Soleil "};
constexpr Three kReport = {"Bericht", "Report", "Rapport"};
constexpr Three kAtPlace = {"Am markierten Ort", "At the marked place", "Au lieu marqué"};

// The clock of the window's time scale: universal time shifted by the zone, or
// terrestrial time.
struct Clock {
  double zone = 0;    // hours
  double deltaT = 0;  // seconds, 0 in terrestrial time
  std::string scale;  // "UT", "UT+1.00", "TT"
};

Clock ClockOf(const SelectedEclipse& s, const TimeSettings& settings) {
  if (!settings.universalTime) return {0, 0, "TT"};
  const double zone = settings.timeZone;
  return {zone, s.deltaT, zone == 0 ? std::string("UT") : "UT" + FormatTimeZone(zone)};
}

std::string Degrees(double value, int decimals, bool sign) {
  std::string text = FormatFixed(value == 0 ? 0.0 : value, decimals);
  if (text == "-0" || text == "-0.0") text.erase(0, 1);
  if (sign && text.front() != '-') text.insert(text.begin(), '+');
  return text + "\u00B0";
}

// "47.5547°N  7.5°O": the place as the entries hold it, up to four decimals (a place
// clicked on the map has one), with the language's hemisphere letters.
std::string PlaceText(const GeoPoint& place, std::uint8_t l) {
  const auto unsigned4 = [](double value) {
    std::string text = FormatFixed(std::abs(value), 4);
    while (text.back() == '0' && text[text.size() - 2] != '.') text.pop_back();
    return text;
  };
  const bool south = std::round(place.latitude * 1e4) < 0, west = std::round(place.longitude * 1e4) < 0;
  return unsigned4(place.latitude) + "\u00B0" + (south ? 'S' : 'N') + "  " + unsigned4(place.longitude) + "\u00B0" +
         (west ? WestLetter(l) : EastLetter(l));
}

std::string Date(const EclipseRecord& e, double t, const Clock& c) {
  std::string d = FormatContactDate(e, t, c.zone, c.deltaT);
  d.erase(0, d.find_first_not_of(' '));
  return d;
}

}  // namespace

Observer ObserverAt(const GeoPoint& place) { return {place.latitude, place.longitude, 0.0}; }

ObserverTable ObserverTableOf(const SelectedEclipse& s, const TimeSettings& settings,
                              const std::optional<GeoPoint>& place) {
  const std::uint8_t l = Lang(settings.language);
  ObserverTable table;
  if (!place || s.index == 0) {
    table.hint = kNoPlace[l];
    return table;
  }
  table.placeMarked = true;
  const EclipseRecord& e = s.record;
  const double deltaT = DeltaT(e.Year, e.Month);  // the sky's, in either time scale
  const Observer observer = ObserverAt(*place);
  const LocalEclipseView view = ViewFromPlace(e, deltaT, observer);
  const Clock clock = ClockOf(s, settings);

  table.place = std::string(kPlace[l]) + PlaceText(*place, l) + kSeaLevel[l];
  table.timeScale = std::string(kTimesIn[l]) + clock.scale;
  for (int c = 0; c < kObserverColumns; ++c) table.header[static_cast<std::size_t>(c)] = kHeader[c][l];
  table.converged = view.converged;
  const std::string maxDate = view.contacts[Contact::Max] ? Date(e, view.contacts[Contact::Max]->t, clock) : "";
  for (const Contact k : kListContacts) {
    const auto& c = view.contacts[k];
    if (!c) continue;
    ObserverRow row;
    row.visible = c->sky.moonVisible;
    const std::string date = Date(e, c->t, clock);
    const std::string time = FormatContactClock(e, c->t, clock.zone, clock.deltaT);
    row.cells = {ContactName(k),
                 date == maxDate ? time : date + "\n" + time,
                 Degrees(c->sky.moonApparentAltitudeDeg, 1, true),
                 AzimuthText(c->sky.moonAzimuthDeg, l),
                 Degrees(c->shadowAxisAltitudeDeg, 1, true),
                 Degrees(c->sky.sunAltitudeDeg, 1, true),
                 TwilightText(c->sky.twilight, l),
                 VisibleAnswer(c->sky.moonVisible, l)};
    table.rows.push_back(std::move(row));
  }
  if (view.eclipse && view.crossings.empty()) table.crossings.emplace_back(NoCrossingText(l));
  for (const HorizonCrossing& x : view.crossings) {
    const LocalSkyAt sky = SkyAt(e, deltaT, observer, x.t);
    const std::string date = Date(e, x.t, clock);
    const std::string when = (date == maxDate ? "" : date + " ") +
                             FormatContactClock(e, x.t, clock.zone, clock.deltaT) + kAzimuth[l] +
                             AzimuthText(sky.moonAzimuthDeg, l) + kSun[l] + Degrees(sky.sunAltitudeDeg, 1, true) +
                             " (" + TwilightText(sky.twilight, l) + ")";
    table.crossings.push_back(HorizonCrossingText(x.rising, when, l));
  }
  table.summary = LocalSummary(e, deltaT, observer, view, l);
  table.legend = kLegend[l];
  return table;
}

ObserverNow ObserverNowOf(const SelectedEclipse& s, const TimeSettings& settings,
                          const std::optional<GeoPoint>& place, double t) {
  ObserverNow now;
  if (!place || s.index == 0) return now;
  const std::uint8_t l = Lang(settings.language);
  const EclipseRecord& e = s.record;
  now.sky = SkyAt(e, DeltaT(e.Year, e.Month), ObserverAt(*place), t);
  const Clock clock = ClockOf(s, settings);
  now.moon = FormatContactClock(e, t, clock.zone, clock.deltaT) + " " + clock.scale + kMoonNow[l] +
             Degrees(now.sky.moonApparentAltitudeDeg, 1, true) + kAzimuth[l] + AzimuthText(now.sky.moonAzimuthDeg, l) +
             ", " + (now.sky.moonVisible ? kVisible[l] : kBelow[l]);
  now.sun = std::string(kSunNow[l]) + Degrees(now.sky.sunAltitudeDeg, 1, true) + kColon[l] +
            TwilightText(now.sky.twilight, l);
  return now;
}

const char* ReportTabCaption(std::uint8_t language) { return kReport[Lang(language)]; }
const char* PlaceTabCaption(std::uint8_t language) { return kAtPlace[Lang(language)]; }

}  // namespace varomintel
