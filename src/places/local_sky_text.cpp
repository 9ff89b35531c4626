#include "places/local_sky_text.h"

#include <algorithm>
#include <cmath>

#include "eclipse/eclipse_type.h"
#include "eclipse/report.h"
#include "places/list_text.h"
#include "text/number_text.h"
#include "text/utf8_text.h"

namespace varomintel {

namespace {

using Three = const char* const[3];  // German, English, French

std::uint8_t Lang(std::uint8_t l) { return l <= 2 ? l : 1; }

constexpr const char* kTwilight[5][3] = {
    {"Tag", "day", "jour"},
    {"bürgerliche Dämmerung", "civil twilight", "crépuscule civil"},
    {"nautische Dämmerung", "nautical twilight", "crépuscule nautique"},
    {"astronomische Dämmerung", "astronomical twilight", "crépuscule astronomique"},
    {"Nacht", "night", "nuit"},
};
// The sky in the summary, after the direction; nothing at night.
constexpr const char* kTwilightPhrase[5][3] = {
    {" am Taghimmel", " in daylight", " en plein jour"},
    {" in der bürgerlichen Dämmerung", " in civil twilight", " au crépuscule civil"},
    {" in der nautischen Dämmerung", " in nautical twilight", " au crépuscule nautique"},
    {" in der astronomischen Dämmerung", " in astronomical twilight", " au crépuscule astronomique"},
    {"", "", ""},
};

constexpr const char* kCompass[16][3] = {
    {"N", "N", "N"},       {"NNO", "NNE", "NNE"}, {"NO", "NE", "NE"},   {"ONO", "ENE", "ENE"},
    {"O", "E", "E"},       {"OSO", "ESE", "ESE"}, {"SO", "SE", "SE"},   {"SSO", "SSE", "SSE"},
    {"S", "S", "S"},       {"SSW", "SSW", "SSO"}, {"SW", "SW", "SO"},   {"WSW", "WSW", "OSO"},
    {"W", "W", "O"},       {"WNW", "WNW", "ONO"}, {"NW", "NW", "NO"},   {"NNW", "NNW", "NNO"},
};
constexpr const char* kDirection[16][3] = {
    {"im Norden", "in the north", "au nord"},
    {"im Nordnordosten", "in the north-north-east", "au nord-nord-est"},
    {"im Nordosten", "in the north-east", "au nord-est"},
    {"im Ostnordosten", "in the east-north-east", "à l'est-nord-est"},
    {"im Osten", "in the east", "à l'est"},
    {"im Ostsüdosten", "in the east-south-east", "à l'est-sud-est"},
    {"im Südosten", "in the south-east", "au sud-est"},
    {"im Südsüdosten", "in the south-south-east", "au sud-sud-est"},
    {"im Süden", "in the south", "au sud"},
    {"im Südsüdwesten", "in the south-south-west", "au sud-sud-ouest"},
    {"im Südwesten", "in the south-west", "au sud-ouest"},
    {"im Westsüdwesten", "in the west-south-west", "à l'ouest-sud-ouest"},
    {"im Westen", "in the west", "à l'ouest"},
    {"im Westnordwesten", "in the west-north-west", "à l'ouest-nord-ouest"},
    {"im Nordwesten", "in the north-west", "au nord-ouest"},
    {"im Nordnordwesten", "in the north-north-west", "au nord-nord-ouest"},
};

// At a pole every direction is south (or north): the azimuth the formulas give there
// follows the longitude entered and names no direction. Within a micro-degree (0.1 m).
bool AtPole(const Observer& observer) { return std::abs(observer.latitudeDeg) > 90 - 1e-6; }

int CompassIndex(double azimuthDeg) {
  double a = std::fmod(azimuthDeg, 360.0);
  if (a < 0) a += 360.0;
  return static_cast<int>(std::floor(a / 22.5 + 0.5)) % 16;
}

// Phases from the deepest: totality, the umbral (partial) phase, the penumbral phase.
struct PhaseSpan {
  Contact begin, end;
  Three& name;
};
constexpr Three kTotality = {"Totalität", "Totality", "Totalité"};
constexpr Three kPartialPhase = {"Partielle Phase", "Partial phase", "Phase partielle"};
constexpr Three kPenumbralPhase = {"Halbschattenphase", "Penumbral phase", "Phase de pénombre"};
constexpr Three kVisible = {" sichtbar", " visible", " visible"};
constexpr Three kPartlyVisible = {" teilweise sichtbar", " partly visible", " en partie visible"};
constexpr Three kMoonHigh = {", der Mond ", ", the Moon ", ", la Lune à "};
constexpr Three kHighUnit = {"° hoch", "° high", "° de hauteur"};
constexpr Three kSeparator = {"; ", "; ", " ; "};
constexpr Three kBeginsBeforeRise = {"die Finsternis beginnt vor Mondaufgang", "the eclipse begins before moonrise",
                                     "l'éclipse commence avant le lever de la Lune"};
constexpr Three kEndsAfterSet = {"die Finsternis endet nach Monduntergang", "the eclipse ends after moonset",
                                 "l'éclipse se termine après le coucher de la Lune"};
constexpr Three kBoth = {"die Finsternis beginnt vor Mondaufgang und endet nach Monduntergang",
                         "the eclipse begins before moonrise and ends after moonset",
                         "l'éclipse commence avant le lever de la Lune et se termine après son coucher"};
constexpr Three kNotVisible = {"Nicht sichtbar: Der Mond steht während der ganzen Finsternis unter dem Horizont.",
                               "Not visible: the Moon is below the horizon throughout the eclipse.",
                               "Invisible : la Lune reste sous l'horizon pendant toute l'éclipse."};
constexpr Three kNoEclipse = {"Keine Finsternis.", "No eclipse.", "Pas d'éclipse."};

constexpr Three kTitleEclipse = {"Finsternis ", "Eclipse ", "Éclipse "};
constexpr Three kPlace = {"Ort: ", "Place: ", "Lieu : "};
constexpr Three kHeight = {", Höhe ", ", height ", ", altitude "};
constexpr Three kTimesIn = {"Zeiten in ", "Times in ", "Heures en "};
constexpr Three kYes = {"ja", "yes", "oui"};
constexpr Three kNo = {"nein", "no", "non"};
constexpr Three kColon = {": ", ": ", " : "};
constexpr Three kMoonrise = {"Mondaufgang", "Moonrise", "Lever de la Lune"};
constexpr Three kMoonset = {"Monduntergang", "Moonset", "Coucher de la Lune"};
constexpr Three kNoCrossing = {"Kein Mondaufgang und kein Monduntergang zwischen P1 und P4.",
                               "No moonrise or moonset between P1 and P4.",
                               "Ni lever ni coucher de la Lune entre P1 et P4."};
// Columns: contact, date, clock, Moon's altitude, azimuth, axis altitude, Sun's
// altitude, sky, visible.
constexpr const char* kHeader[9][3] = {
    {"Kontakt", "Contact", "Contact"}, {"Datum", "Date", "Date"},        {"Zeit", "Time", "Heure"},
    {"Mond", "Moon", "Lune"},          {"Azimut", "Azimuth", "Azimut"}, {"Achse", "Axis", "Axe"},
    {"Sonne", "Sun", "Soleil"},        {"Himmel", "Sky", "Ciel"},       {"Sichtbar", "Visible", "Visible"},
};
constexpr Three kLegend = {
    "Mond: scheinbare Höhe der Mondmitte (mit Parallaxe und Refraktion), Azimut von Nord über Ost; "
    "Achse: die Höhe der Schattenachse wie in den Listen; Sonne: Höhe der Sonnenmitte; "
    "sichtbar: der obere Mondrand über dem Horizont.",
    "Moon: apparent altitude of the Moon's centre (with parallax and refraction), azimuth from north through east; "
    "Axis: the altitude of the shadow's axis as in the lists; Sun: altitude of the Sun's centre; "
    "visible: the Moon's upper limb above the horizon.",
    "Lune : hauteur apparente du centre de la Lune (avec parallaxe et réfraction), azimut compté du nord vers "
    "l'est ; Axe : la hauteur de l'axe de l'ombre comme dans les listes ; Soleil : hauteur du centre du Soleil ; "
    "visible : le bord supérieur de la Lune au-dessus de l'horizon.",
};

constexpr std::size_t kWidths[9] = {8, 12, 10, 8, 10, 8, 8, 25, 8};

std::string Degrees(double value, int decimals, bool sign) {
  std::string text = FormatFixed(value == 0 ? 0.0 : value, decimals);
  if (sign && value >= 0) text.insert(text.begin(), '+');
  return text + "\u00B0";
}

std::string Date(const EclipseRecord& e, double t, double zone, double deltaT) {
  std::string d = FormatContactDate(e, t, zone, deltaT);
  d.erase(0, d.find_first_not_of(' '));
  return d;
}

}  // namespace

const char* TwilightText(Twilight twilight, std::uint8_t languageIndex) {
  return kTwilight[static_cast<int>(twilight)][Lang(languageIndex)];
}

const char* CompassPoint(double azimuthDeg, std::uint8_t languageIndex) {
  return kCompass[CompassIndex(azimuthDeg)][Lang(languageIndex)];
}

std::string AzimuthText(double azimuthDeg, std::uint8_t languageIndex) {
  return PadLeft(std::to_string(std::lround(azimuthDeg) % 360), 3, '0') + "\u00B0 " +
         CompassPoint(azimuthDeg, languageIndex);
}

const char* VisibleAnswer(bool visible, std::uint8_t languageIndex) {
  return visible ? kYes[Lang(languageIndex)] : kNo[Lang(languageIndex)];
}

std::string HorizonCrossingText(bool rising, const std::string& when, std::uint8_t languageIndex) {
  const std::uint8_t l = Lang(languageIndex);
  return std::string(rising ? kMoonrise[l] : kMoonset[l]) + kColon[l] + when;
}

const char* NoCrossingText(std::uint8_t languageIndex) { return kNoCrossing[Lang(languageIndex)]; }

std::string LocalSummary(const EclipseRecord& eclipse, double deltaT, const Observer& observer,
                         const LocalEclipseView& view, std::uint8_t languageIndex) {
  const std::uint8_t l = Lang(languageIndex);
  if (!view.eclipse) return kNoEclipse[l];
  if (!view.visible.visible) return kNotVisible[l];
  const PhaseSpan phases[] = {{Contact::U2, Contact::U3, kTotality},
                              {Contact::U1, Contact::U4, kPartialPhase},
                              {Contact::P1, Contact::P4, kPenumbralPhase}};
  for (const PhaseSpan& phase : phases) {
    const VisibleSpan span = VisiblePhase(view, phase.begin, phase.end);
    if (!span.visible) continue;
    const bool whole = span.first == view.contacts[phase.begin]->t && span.last == view.contacts[phase.end]->t &&
                       std::none_of(view.crossings.begin(), view.crossings.end(), [&](const HorizonCrossing& c) {
                         return c.t > span.first && c.t < span.last;
                       });
    // The Moon at greatest eclipse, or at the nearest instant of the phase when it is up.
    const double tMax = view.contacts[Contact::Max]->t;
    const double t = std::clamp(tMax, span.first, span.last);
    const LocalSkyAt sky = SkyAt(eclipse, deltaT, observer, t);
    const long altitude = std::lround(std::max(0.0, sky.moonApparentAltitudeDeg));
    std::string s = std::string(phase.name[l]) + (whole ? kVisible[l] : kPartlyVisible[l]) + kMoonHigh[l] +
                    std::to_string(altitude) + kHighUnit[l] +
                    (AtPole(observer) ? std::string() : std::string(" ") + kDirection[CompassIndex(sky.moonAzimuthDeg)][l]) +
                    kTwilightPhrase[static_cast<int>(sky.twilight)][l];
    const bool risesLate = !view.contacts[Contact::P1]->sky.moonVisible;
    const bool setsEarly = !view.contacts[Contact::P4]->sky.moonVisible;
    if (risesLate && setsEarly) s += std::string(kSeparator[l]) + kBoth[l];
    else if (risesLate) s += std::string(kSeparator[l]) + kBeginsBeforeRise[l];
    else if (setsEarly) s += std::string(kSeparator[l]) + kEndsAfterSet[l];
    return s + ".";
  }
  return kNotVisible[l];
}

std::vector<std::string> LocalSkyLines(int index, const EclipseRecord& eclipse, double deltaT,
                                       const Observer& observer, const std::string& name,
                                       const LocalEclipseView& view, double zone, std::uint8_t languageIndex) {
  const std::uint8_t l = Lang(languageIndex);
  std::vector<std::string> lines;
  const double tMax = view.contacts[Contact::Max] ? view.contacts[Contact::Max]->t : 0.0;
  lines.push_back(std::string(kTitleEclipse[l]) + std::to_string(index) + ": " +
                  EclipseTypeLongName(eclipse.EclipseType, l) + ", " + Date(eclipse, tMax, zone, deltaT));
  const double metres = std::round(observer.heightM);
  lines.push_back(std::string(kPlace[l]) + (name.empty() ? std::string() : name + ", ") +
                  FormatLatitude(observer.latitudeDeg) + " " + FormatLongitude(observer.longitudeDeg) + kHeight[l] +
                  FormatFixed(metres == 0 ? 0.0 : metres, 0) + " m");
  lines.push_back(std::string(kTimesIn[l]) + (zone == 0 ? std::string("UT") : "UT" + FormatTimeZone(zone)));
  lines.emplace_back();
  std::string header;
  AppendLeftAligned(header, kHeader[0][l], kWidths[0]);
  AppendLeftAligned(header, kHeader[1][l], kWidths[1]);
  AppendLeftAligned(header, kHeader[2][l], kWidths[2]);
  for (int c = 3; c <= 6; ++c) {
    header += ' ';
    if (c == 4) AppendLeftAligned(header, kHeader[c][l], kWidths[c] - 1);
    else AppendRightAligned(header, kHeader[c][l], kWidths[c] - 1);
  }
  header += "  ";
  AppendLeftAligned(header, kHeader[7][l], kWidths[7]);
  header += kHeader[8][l];
  lines.push_back(header);
  for (const Contact k : kListContacts) {
    const auto& c = view.contacts[k];
    if (!c) continue;
    std::string line;
    AppendLeftAligned(line, ContactName(k), kWidths[0]);
    AppendLeftAligned(line, Date(eclipse, c->t, zone, deltaT), kWidths[1]);
    AppendLeftAligned(line, FormatContactClock(eclipse, c->t, zone, deltaT), kWidths[2]);
    line += ' ';
    AppendRightAligned(line, Degrees(c->sky.moonApparentAltitudeDeg, 1, true), kWidths[3] - 1);
    line += ' ';
    // "074° ENE", "092° E  ": the degrees line up, the compass point follows.
    AppendLeftAligned(line, AtPole(observer) ? std::string("-") : AzimuthText(c->sky.moonAzimuthDeg, l),
                      kWidths[4] - 1);
    line += ' ';
    AppendRightAligned(line, Degrees(c->shadowAxisAltitudeDeg, 1, true), kWidths[5] - 1);
    line += ' ';
    AppendRightAligned(line, Degrees(c->sky.sunAltitudeDeg, 1, true), kWidths[6] - 1);
    line += "  ";
    AppendLeftAligned(line, TwilightText(c->sky.twilight, l), kWidths[7]);
    line += VisibleAnswer(c->sky.moonVisible, l);
    lines.push_back(line);
  }
  lines.emplace_back();
  if (view.crossings.empty()) lines.push_back(NoCrossingText(l));
  for (const HorizonCrossing& x : view.crossings)
    lines.push_back(HorizonCrossingText(
        x.rising, Date(eclipse, x.t, zone, deltaT) + " " + FormatContactClock(eclipse, x.t, zone, deltaT), l));
  lines.emplace_back();
  lines.push_back(LocalSummary(eclipse, deltaT, observer, view, l));
  lines.push_back(kLegend[l]);
  return lines;
}

}  // namespace varomintel
