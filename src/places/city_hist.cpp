#include "places/city_hist.h"

#include <array>
#include <cmath>

#include "astro/calendar.h"
#include "astro/delta_t.h"
#include "places/local_circumstances.h"
#include "places/utf8_text.h"

namespace varomintel {

namespace {

std::uint8_t Lang(std::uint8_t languageIndex) { return languageIndex <= 2 ? languageIndex : 0; }

const std::array<std::string, 3> kHeaders = {
    " JJJJ MM Tg DeltaT t Ort    Sar iS NS T_P1(UT) H° T_U1(UT) H° T_U2(UT) H° Max.(UT) H°  magn hh:mm T_U3(UT) "
    "H° T_U4(UT) H° T_P4(UT) H°",
    " YYYY MM DD DeltaT t Place  Sar iS NS T_P1(UT) H° T_U1(UT) H° T_U2(UT) H° Max.(UT) H°  magn hh:mm T_U3(UT) "
    "H° T_U4(UT) H° T_P4(UT) H°",
    " AAAA MM JJ DeltaT t Lieu   Sar iS NS T_P1(UT) H° T_U1(UT) H° T_U2(UT) H° Max.(UT) H°  magn hh:mm T_U3(UT) "
    "H° T_U4(UT) H° T_P4(UT) H°",
};

// Legend lines 3 to 21: key and explanation in German, English and French.
struct LegendRow {
  std::array<const char*, 3> key;
  std::array<const char*, 3> text;
};

const LegendRow kLegend[] = {
    {{"JJJJ", "YYYY", "AAAA"}, {"Jahr", "Year", "An"}},
    {{"MM", "MM", "MM"}, {"Monat", "Month", "Mois"}},
    {{"TT", "DD", "JJ"}, {"Tag", "Day", "Jour"}},
    {{"DeltaT", "DeltaT", "DeltaT"}, {"Delta T", "Delta T", "Delta T"}},
    {{"Typ", "Typ", "Typ"},
     {"Finsternis-Typ (h=Halbschatten-Finsternis, p=partiell, t=total)",
      "Type of lunar eclipse (h=half shadow (penumbral), p=partial, t=total)",
      "Type de l'eclipse (h=penombre(half shadow), p=partiellement, t=totale)"}},
    {{"Ort", "Place", "Lieu"}, {"Stadt oder Ortschaft", "City or Location", "Ville"}},
    {{"Sar", "Sar", "Sar"},
     {"Nummer des Saros (Zyklus)", "Saros number", "Numéro de Saros auquel appartient l'éclipse"}},
    {{"iS", "iS", "iS"},
     {"Rang der Mondfinsternis im Saros", "Rank of lunar eclipse in the Saros cycle",
      "Rang de l'éclipse dans le Saros"}},
    {{"nS", "nS", "NS"},
     {"Anzahl Mondfinsternisse im Saros", "Number of lunar eclipses produced by the Saros",
      "Nombre d'éclipses générées par ce Saros"}},
    {{"P1(UT)", "P1(UT)", "P1(UT)"},
     {"Zeit des 1. Halbschatten-Kontakts (Beginn der penumbralen Phase)",
      "Time of 1. penumbral contact (Start of lunar eclipse)",
      "Temps Universel du 1. contact avec la penombre (Début de l'éclipse lunaire)"}},
    {{"H°", "H°", "H°"},
     {"Höhe des Mondes über dem Horizont", "Height of the Moon above the horizon",
      "Hauteur de la Lune au-dessus de l'horizon"}},
    {{"U1(UT)", "U1(UT)", "U1(UT)"},
     {"Zeit des 1. Kernschatten-Kontakts (Beginn der partiellen Phase)",
      "Time of 1. umbral contact (Begin of partial eclipse)",
      "Temps Universel du 1. contact avec l'ombre (Début de l'éclipse partielle)"}},
    {{"U2(UT)", "U2(UT)", "U2(UT)"},
     {"Zeit des 2. Kernschatten-Kontakts (Beginn der Totalität)", "Time of 2. umbral contact (Begin of totality)",
      "Temps Universel du 2. contact avec l'ombre (Début de l'éclipse totale)"}},
    {{"Max.(UT)", "Max.(UT)", "Max.(UT)"},
     {"Zeit des Finsternismaximums", "Time of Maximum eclipse", "Temps universel du maximum de l'éclipse lunaire"}},
    {{"magn", "magn", "magn"},
     {"Magnitude der tiefsten Phase", "Magnitude of the deepest phase", "Magnitude de la phase maximale"}},
    {{"hh:mm", "hh:mm", "hh:mm"},
     {"Dauer der tiefsten Phase", "Duration of the deepest phase", "Durée de la phase maximale"}},
    {{"U3(UT)", "U3(UT)", "U3(UT)"},
     {"Zeit des 3. Kernschatten-Kontakts (Ende der Totalität)", "Time of 3. umbral contact (End of totality)",
      "Temps universel du 3. contact avec l'ombre (Fin de l'éclipse totale)"}},
    {{"U4(UT)", "U4(UT)", "U4(UT)"},
     {"Zeit des 4. Kernschatten-Kontakts (Ende der partiellen Phase)",
      "Time of 4. umbral contact (End of partial phase)",
      "Temps universel du 4. contact avec l'ombre (Fin de l'éclipse partielle)"}},
    {{"P4(UT)", "P4(UT)", "P4(UT)"},
     {"Zeit des 6. Halbschatten-Kontakts (Ende der penumbralen Phase)",
      "Time of 4. penumbral contact (End of lunar eclipse)",
      "Temps Universel du 4. contact avec la penombre (Fin de l'éclipse lunaire)"}},
};

}  // namespace

std::string CityHistStatus(int year) { return "Calculating year " + std::to_string(year) + " ..."; }

const std::string& CityHistHeader(std::uint8_t languageIndex) { return kHeaders[Lang(languageIndex)]; }

std::vector<std::string> CityHistLegend(std::uint8_t languageIndex) {
  const std::uint8_t lang = Lang(languageIndex);
  static const char* const kTitles[] = {"Legende", "Legend", "La légende"};
  static const char* const kDashes[] = {"--------", "------", "----------"};
  std::vector<std::string> lines = {kTitles[lang], kDashes[lang]};
  for (const LegendRow& row : kLegend) lines.push_back(std::string(row.key[lang]) + "\t" + row.text[lang]);
  if (lang != 2) {
    std::string dashes;
    for (const char* piece : {"----", "--", "--", "-------", "-", "----------", "---", "--", "--"})
      dashes += std::string(piece) + "\t";
    for (int i = 0; i < 4; ++i) dashes += "--:--:--\t---.-\t";
    dashes += "-.---\t--:--\t";
    for (int i = 0; i < 3; ++i) dashes += "--:--:--\t---.-\t";
    lines.push_back(dashes);
  }
  lines.emplace_back();
  static const char* const kFirst[3][4] = {
      {"JJJJ", "MM", "TT", "Ort"}, {"YYYY", "MM", "DD", "Place"}, {"AAAA", "MM", "JJ", "Lieu"}};
  std::string keys = std::string(kFirst[lang][0]) + "\t" + kFirst[lang][1] + "\t" + kFirst[lang][2] +
                     "\tDeltaT\tTyp\t" + kFirst[lang][3] + "\tSar\tiS\tnS";
  for (const char* c : {"P1(UT)", "H°", "U1(UT)", "H°", "U2(UT)", "H°", "Max.(UT)", "H°", "magn", "hh:mm", "U3(UT)",
                        "H°", "U4(UT)", "H°", "P4(UT)", "H°"})
    keys += std::string("\t") + c;
  lines.push_back(keys);
  return lines;
}

std::string CityHistLine(const EclipseRecord& eclipse, double deltaT, const StadtType& place) {
  ContactClock clock(eclipse, deltaT);
  return CityHistLine(clock, place);
}

std::string CityHistRecord(const EclipseRecord& eclipse, double deltaT, const StadtType& place) {
  ContactClock clock(eclipse, deltaT);
  return CityHistRecord(clock, place);
}

std::string CityHistLine(ContactClock& clock, const StadtType& place) {
  using namespace list_format;
  if (!SeesEclipse(place)) return {};
  const EclipseRecord& eclipse = clock.Eclipse();
  const UtDate date = LineDate(clock, place);
  std::string out;
  out.reserve(180);
  const auto right = [&](long long v, std::size_t width) { AppendNumberColumn(out, v, width); };
  right(date.year, 5);
  right(date.month, 2);
  right(date.day, 2);
  right(static_cast<long long>(std::nearbyint(clock.DeltaT())), 6);  // halves to even
  out += place.PhaseType;
  out += ' ';
  AppendLeftAligned(out, place.Country, 5);
  out += ' ';
  right(eclipse.Saros, 4);
  right(eclipse.SarosMember, 2);
  right(eclipse.SarosCount, 2);
  AppendContactGroups(out, clock, place);
  return out;
}

std::string CityHistRecord(ContactClock& clock, const StadtType& place) {
  using namespace list_format;
  if (!SeesEclipse(place)) return {};
  const EclipseRecord& eclipse = clock.Eclipse();
  std::string out;
  out.reserve(200);
  AppendRecordHead(out, clock, place);
  const auto field = [&](long long v) {
    AppendInteger(out, v);
    out += '\t';
  };
  field(eclipse.Saros);
  field(eclipse.SarosMember);
  field(eclipse.SarosCount);
  for (int i = kContactP1; i <= kContactP4; ++i) {
    if (ContactVisible(place, i)) AppendContactFields(out, clock, place, i);
    else out.append(i == kContactMax ? 4 : 2, '\t');
  }
  return out;
}

int UniversalYear(const EclipseRecord& eclipse, double deltaT) {
  return JDToDate(eclipse.JulianDayTT - deltaT / 86400.0).year;
}

CityHistOutcome RunCityHist(const CityHistInput& input, const CityHistCallbacks& callbacks,
                            const std::atomic<bool>& stop) {
  CityHistOutcome outcome;
  if (!input.catalogue) return outcome;
  const Catalogue& catalogue = *input.catalogue;
  StadtType place;
  place.Country = input.name;
  place.Latitude = input.latitude;
  place.Longitude = input.westLongitude;
  place.Height = input.height;
  for (int i = 1; i <= catalogue.Count(); ++i) {
    if (i % kCityHistYieldEvery == 0 && callbacks.onYield) callbacks.onYield(i);
    const EclipseRecord& eclipse = catalogue.At(i);
    ++outcome.visited;
    const double deltaT = DeltaT(eclipse.Year, eclipse.Month);
    const int year = UniversalYear(eclipse, deltaT);
    if (input.firstYear <= year && year <= input.lastYear) {
      ++outcome.computed;
      if (callbacks.onStatus) callbacks.onStatus(CityHistStatus(eclipse.Year));
      const LocalResult r = LocalCircumstances(eclipse, deltaT, input.latitude, input.westLongitude, place,
                                               UmbralGuard::CityHistory);
      if (!r.converged) ++outcome.unconverged;
      if (r.eclipse && SeesEclipse(place)) {
        ++outcome.found;
        if (callbacks.onResult) {
          ContactClock clock(eclipse, deltaT);
          callbacks.onResult(CityHistHit{i, eclipse, deltaT, place, CityHistLine(clock, place),
                                         CityHistRecord(clock, place)});
        }
      }
    }
    if (stop.load(std::memory_order_relaxed)) {
      outcome.stopped = true;
      break;
    }
  }
  return outcome;
}

}  // namespace varomintel
