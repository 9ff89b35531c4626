#include "places/city_list.h"

#include <array>

#include "app/text_table.h"
#include "astro/delta_t.h"
#include "astro/trig_func.h"
#include "places/local_circumstances.h"

namespace varomintel {

namespace {

using Texts = std::array<std::string, 3>;  // German, English, French

// Text-table rows of the status text.
constexpr int kRowPlacesScanned = 55;  // "Places scanned"
constexpr int kRowPlacesFound = 56;    // "Places found"

const std::array<std::int32_t, kPopulationItems> kThresholds = {1000000, 500000, 250000, 100000, 50000,
                                                                 25000,   10000,  5000,   2000,   -1};

const std::array<Texts, kPopulationItems> kPopulationItemTexts = {{
    {"1'000'000 Personen", "1'000'000 habitants", "1'000'000 Personnes"},
    {"   500'000 Personen", "   500'000 habitants", "   500'000 Personnes"},
    {"   250'000 Personen", "   250'000 habitants", "   250'000 Personnes"},
    {"   100'000 Personen", "   100'000 habitants", "   100'000 Personnes"},
    {"      50'000 Personen", "      50'000 habitants", "      50'000 Personnes"},
    {"      25'000 Personen", "      25'000 habitants", "      25'000 Personnes"},
    {"      10'000 Personen", "      10'000 habitants", "      10'000 Personnes"},
    {"        5'000 Personen", "        5'000 habitants", "        5'000 Personnes"},
    {"        2'500 Personen", "        2'500 habitants", "        2'500 Personnes"},
    {"                0 Personen", "                0 habitants", "                0 Personne"},
}};

const Texts kHeaders = {
    " JJJJ MM Tg t Land       Stadt       Breite    Länge    Einw. T_P1(UT) H° T_U1(UT) H° T_U2(UT) H° "
    "Max.(UT) H°  magn hh:mm T_U3(UT) H° T_U4(UT) H° T_P4(UT) H°",
    " YYYY MM DD t Country    City        Latit.  Longit.   Popul. T_P1(UT) H° T_U1(UT) H° T_U2(UT) H° "
    "Max.(UT) H°  magn hh:mm T_U3(UT) H° T_U4(UT) H° T_P4(UT) H°",
    " AAAA MM JJ t Pays       Ville       Latit.  Longit.   Habit. T_P1(UT) H° T_U1(UT) H° T_U2(UT) H° "
    "Max.(UT) H°  magn hh:mm T_U3(UT) H° T_U4(UT) H° T_P4(UT) H°",
};

struct Explanation {
  const char* key;
  const char* text;
};

const std::vector<Explanation> kGermanLegend = {
    {"JJJJ", "Jahr"},
    {"MM", "Monat"},
    {"TT", "Tag"},
    {"DeltaT", "Delta T"},
    {"Typ", "Finsternis-Typ (h=Halbschatten-Finsternis, p=partiell, t=total)"},
    {"Land", "Land oder Punkt"},
    {"Ort", "Stadt oder Ortschaft"},
    {"Breite", "Geographische Breite"},
    {"Länge", "Geographische Länge"},
    {"Einw.", "Einwohner (grobe ältere Schätzung)"},
    {"P1(UT)", "Zeit des 1. Halbschatten-Kontakts (Beginn der penumbralen Phase)"},
    {"H°", "Höhe des Mondes über dem Horizont"},
    {"U1(UT)", "Zeit des 1. Kernschatten-Kontakts (Beginn der partiellen Phase)"},
    {"U2(UT)", "Zeit des 2. Kernschatten-Kontakts (Beginn der Totalität)"},
    {"Max.(UT)", "Zeit des Finsternismaximums"},
    {"magn", "Magnitude der tiefsten Phase"},
    {"hh:mm", "Dauer der tiefsten Phase"},
    {"U3(UT)", "Zeit des 3. Kernschatten-Kontakts (Ende der Totalität)"},
    {"U4(UT)", "Zeit des 4. Kernschatten-Kontakts (Ende der partiellen Phase)"},
    {"P4(UT)", "Zeit des 6. Halbschatten-Kontakts (Ende der penumbralen Phase)"},
};

const std::vector<Explanation> kEnglishLegend = {
    {"YYYY", "Year"},
    {"MM", "Month"},
    {"DD", "Day"},
    {"DeltaT", "Delta T"},
    {"Typ", "Type of lunar eclipse (h=half shadow (penumbral), p=partial, t=total)"},
    {"Countr", "Country or Point of interest"},
    {"Ort", "City or Location"},
    {"Latitude", "Geographical Latitude"},
    {"Longitude", "Geographical Longitude"},
    {"Popul.", "Population (older estimation)"},
    {"P1(UT)", "Time of 1. penumbral contact (Start of lunar eclipse)"},
    {"H°", "Height of the Moon above the horizon"},
    {"U1(UT)", "Time of 1. umbral contact (Begin of partial eclipse)"},
    {"U2(UT)", "Time of 2. umbral contact (Begin of totalityt)"},
    {"Max.(UT)", "Time of Maximum eclipse"},
    {"magn", "Magnitude of the deepest phase"},
    {"hh:mm", "Duration of the deepest phase"},
    {"U3(UT)", "Time of 3. umbral contact (End of totality)"},
    {"U4(UT)", "Time of 4. umbral contact (End of partial phase)"},
    {"P4(UT)", "Time of 4. penumbral contact (End of lunar eclipse)"},
};

const std::vector<Explanation> kFrenchLegend = {
    {"AAAA", "An"},
    {"MM", "Mois"},
    {"JJ", "Jour"},
    {"DeltaT", "Delta T"},
    {"Typ", "Type de l'eclipse (h=penombre(half shadow), p=partiellement, t=totale)"},
    {"Sar", "Numéro de Saros auquel appartient l'éclipse"},
    {"iS", "Rang de l'éclipse dans le Saros"},
    {"NS", "Nombre d'éclipses générées par ce Saros"},
    {"Pays", "Pays"},
    {"Lieu", "Ville"},
    {"Latit.", "Latitude géographique"},
    {"Longit.", "Longitude géographique"},
    {"Altit.", "Altitude (estimation approximative des données GIS)"},
    {"Popul.", "Population (estimation très approximative)"},
    {"P1(UT)", "Temps Universel du 1. contact avec la penombre (Début de l'éclipse lunaire)"},
    {"H°", "Hauteur de la Lune au-dessus de l'horizon"},
    {"U1(UT)", "Temps Universel du 1. contact avec l'ombre (Début de l'éclipse partielle)"},
    {"U2(UT)", "Temps Universel du 2. contact avec l'ombre (Début de l'éclipse totale)"},
    {"Max.(UT)", "Temps universel du maximum de l'éclipse lunaire"},
    {"magn", "Magnitude de la phase maximale"},
    {"hh:mm", "Durée de la phase maximale"},
    {"U3(UT)", "Temps universel du 3. contact avec l'ombre (Fin de l'éclipse totale)"},
    {"U4(UT)", "Temps universel du 4. contact avec l'ombre (Fin de l'éclipse partielle)"},
    {"P4(UT)", "Temps Universel du 4. contact avec la penombre (Fin de l'éclipse lunaire)"},
};

const char* const kContactColumns[] = {"P1(UT)", "H°", "U1(UT)", "H°", "U2(UT)", "H°", "Max.(UT)", "H°",
                                       "magn",   "hh:mm", "U3(UT)", "H°", "U4(UT)", "H°", "P4(UT)", "H°"};

std::string Joined(std::vector<std::string> keys) {
  std::string line;
  for (const char* c : kContactColumns) keys.emplace_back(c);
  for (std::size_t i = 0; i < keys.size(); ++i) line += (i ? "\t" : "") + keys[i];
  return line;
}

std::uint8_t Lang(std::uint8_t languageIndex) { return languageIndex <= 2 ? languageIndex : 0; }

}  // namespace

std::int32_t PopulationThreshold(int item) {
  return item >= 0 && item < kPopulationItems ? kThresholds[static_cast<std::size_t>(item)] : -1;
}

const std::string& PopulationItemText(int item, std::uint8_t languageIndex) {
  static const std::string empty;
  if (item < 0 || item >= kPopulationItems) return empty;
  return kPopulationItemTexts[static_cast<std::size_t>(item)][Lang(languageIndex)];
}

const std::string& CityListHeader(std::uint8_t languageIndex) { return kHeaders[Lang(languageIndex)]; }

std::vector<std::string> CityListLegend(std::uint8_t languageIndex) {
  const std::uint8_t lang = Lang(languageIndex);
  static const char* const kTitles[] = {"Legende", "Legend", "La légende"};
  static const char* const kUnderlines[] = {"--------", "-------", "--------"};
  const std::vector<Explanation>& explanations = lang == 0 ? kGermanLegend : lang == 1 ? kEnglishLegend : kFrenchLegend;
  std::vector<std::string> lines = {kTitles[lang], kUnderlines[lang]};
  for (const Explanation& e : explanations) lines.push_back(std::string(e.key) + "\t" + e.text);
  std::string templ;
  for (const char* piece : {"----", "--", "--", "-------", "-", "----------", "----------", "--°--'--H", "---°--'--H",
                            "-------"})
    templ += std::string(piece) + "\t";
  for (int i = 0; i < 4; ++i) templ += "--:--:--\t---.-\t";
  templ += "-.---\t--:--\t";
  for (int i = 0; i < 3; ++i) templ += "--:--:--\t---.-\t";
  lines.push_back(templ);
  lines.emplace_back();
  if (lang == 0)
    lines.push_back(Joined({"JJJJ", "MM", "TT", "DeltaT", "Typ", "Land", "Ort", "Breite", "Länge", "Einw."}));
  else if (lang == 1)
    lines.push_back(
        Joined({"YYYY", "MM", "DD", "DeltaT", "Typ", "Country", "Place", "Latitude", "Longitude", "Popul."}));
  else
    lines.push_back(Joined({"YYYY", "MM", "DD", "DeltaT", "Typ", "Pays", "Lieu", "Latitude", "Longitude", "Popul."}));
  return lines;
}

std::string CityListStatus(long scanned, long found, std::uint8_t languageIndex) {
  const std::uint8_t lang = Lang(languageIndex);
  return std::to_string(scanned) + " " + Text(kRowPlacesScanned, lang) + ". " + std::to_string(found) + " " + Text(kRowPlacesFound, lang);
}

CityListOutcome RunCityList(const CityListInput& input, const CityListCallbacks& callbacks,
                            const std::atomic<bool>& stop) {
  CityListOutcome outcome;
  CityFileReader reader(input.cityFile);
  outcome.cityFileOpened = reader.IsOpen();
  const std::int32_t threshold = PopulationThreshold(input.populationItem);
  const EclipseRecord& eclipse = input.eclipse;
  const double deltaT = DeltaT(eclipse.Year, eclipse.Month);
  ContactClock clock(eclipse, deltaT);
  // The contact instants are the same for every place; only the altitudes differ.
  const LocalEclipse prepared = PrepareLocalEclipse(eclipse, deltaT, UmbralGuard::CityList);
  std::string line;
  StadtType place;
  CityListCounts& counts = outcome.counts;
  while (reader.Next(line)) {
    if (auto error = ParseCityLine(line, place)) {
      outcome.failure = CityFileFailure{reader.LineNumber(), std::move(*error)};
      break;
    }
    if (place.Population >= threshold) {
      ++counts.scanned;
      const LocalResult r = ApplyLocalEclipse(prepared, place.Latitude * DegToRad, -place.Longitude * DegToRad, place);
      if (!r.converged) ++outcome.unconverged;
      if (r.eclipse) {
        counts.statusSet = true;
        if (SeesEclipse(place)) {
          ++counts.found;
          if (callbacks.onResult)
            callbacks.onResult(CityListHit{place, CityListLine(clock, place), CityListRecord(clock, place)});
        }
      }
    }
    if (callbacks.afterLine) callbacks.afterLine(counts);
    if (stop.load(std::memory_order_relaxed)) {
      outcome.stopped = true;
      break;
    }
  }
  return outcome;
}

}  // namespace varomintel
