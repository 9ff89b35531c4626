#include "text/text_table.h"

#include <utility>

namespace varomintel {

namespace {

struct Row {
  int row;
  std::array<const char*, 3> texts;  // German, English, French
};

// Rows that the program reads; all others stay empty.
const Row kRows[] = {
    {0, {"Teilweise Halbschatten-Mondfinsternis", "Partial Penumbral Lunar Eclipse", "Eclipse lunaire par la pénombre (part.)"}},
    {1, {"Komplette Halbschatten-Mondfinsternis", "Complete Penumbral Lunar Eclipse", "Eclipse lunaire par la pénombre"}},
    {2, {"Partielle Mondfinsternis", "Partial Lunar Eclipse", "Eclipse lunaire partielle"}},
    {3, {"Totale Mondfinsternis", "Total Lunar Eclipse", "Eclipse lunaire totale"}},
    {4, {"Totale Mondfinsternis (zentral)", "Total Lunar Eclipse (central)", "Eclipse lunaire totale et centrale"}},
    {5, {"", "", " "}},
    {6, {"Teilw. Halbsch.-Finsternis", "Part. Penumb. Lunar Eclipse", "Ecl.lunaire p.l.pénombre(part.)"}},
    {7, {"Kompl. Halbsch.-Finsternis", "Compl. Penumb. Lunar Eclipse", "Ecl.lunaire p.l.pénombre"}},
    {8, {"Partielle Mondfinsternis", "Partial Lunar Eclipse", "Eclipse lunaire part."}},
    {9, {"Totale Mondfinsternis", "Total Lunar Eclipse", "Eclipse lunaire totale"}},
    {10, {"Totale Mondfinsternis (zentr.)", "Total Lunar Eclipse (central)", "Ecl.lunaire totale (centr.)"}},
    {11, {"", "", " "}},
    {12, {"Finstern. im Saros (", "Eclipse in Saros (", "Eclipse dans Saros ("}},
    {13, {". von ", ". of ", ". de "}},
    {14, {" Sek. ", " secs", " sec."}},
    {15, {"Ekliptik", "Ecliptic", "Ecliptique"}},
    {16, {"Mondbahn", "Lunar orbit", "Orbite lunaire"}},
    {19, {"schnell rückwärts abspielen", "fast reverse play", "retour rapide"}},
    {20, {"rückwärts abspielen", "reverse play", "retour"}},
    {21, {"Stop", "stop", "stop"}},
    {22, {"vorwärts abspielen", "forward play", "lecture"}},
    {23, {"schnell vorwärts abspielen", "fast forward play", "avance rapide"}},
    {24, {"Zeitregler (-4.0 Std bis +4.0 Std)", "Time slider (-4.0 hrs to +4.0 hrs)", "Règlage du temps (-4.0 hrs à +4.0 hrs)"}},
    {25, {" – Mondfinsternisse von -4999 bis 7000", " – Lunar eclipses from -4999 to 7000", " – Éclipses de Lune de -4999 à 7000"}},
    {26, {" Std", " hours", " heures"}},
    {27, {" R(Erde)", " R(Earth)", " R(Terre)"}},
    {45, {"", "", ""}},
    {46, {"Sternbild", "Constellation", "Constellation"}},
    {47, {"", "", " "}},
    {48, {"Nord", "North", "Nord"}},
    {49, {"Süd", "South", "Sud"}},
    {50, {"Ost", "East", "Est"}},
    {51, {"West", "West", "Ouest"}},
    {52, {" ist kein gültiger Wert", " is not a valid number", " valeur non valide"}},
    {53, {"Suche zwischen den Jahren", "Search between the years", "Rechercher dans le temps"}},
    {54, {"und", "and", "à"}},
    {55, {"Orte getestet", "Places scanned", "Lieux cherchés"}},
    {56, {"Orte gefunden", "Places found", "Lieux trouvés"}},
    {59, {"Halbschatten", "Earth's", "Pénombre"}},
    {60, {"der Erde", "Penumbra", "de la terre"}},
    {61, {"Kernschatten", "Earth's", "Ombre de"}},
    {62, {"der Erde", "Umbra", "la terre"}},
    {64, {"Eintritt in den Halbschatten", "Begin of Penumbral Eclipse", "Entrée dans la pénombre"}},
    {65, {"Eintritt in den Kernschatten", "Begin of Umbral Eclipse   ", "Entrée dans l'ombre         "}},
    {66, {"Beginn der Totalität        ", "Begin of Totality                  ", "Comencement de la totalité"}},
    {67, {"Finsternismaximum           ", "Maximum Eclipse              ", "Maximum de l'éclipse        "}},
    {68, {"Ende der Totalität           ", "End of Totality                    ", "Fin de la totalité                  "}},
    {69, {"Austritt aus dem Kernschatten", "End of Umbral Eclipse     ", "Sortie de l'ombre                  "}},
    {70, {"Austritt aus dem Halbschatten", "End of Penumbral Eclipse  ", "Sortie de la pénombre        "}},
    {73, {"Zeitangaben sind Uhrzeit", "Times are Civil Time", "Les temps sont des temps civils"}},
    {74, {"Zeitangaben sind Terrestrische Zeit (TT)", "Times are Terrestrial Time (TT)", "Les temps sont des temps terrestres (TT)"}},
    {75, {"ganze", "All", "Toute"}},
    {76, {"Finsternis", "Eclipse", "l'éclipse"}},
    {77, {"sichtbar", "Visible", "est visible"}},
    {78, {"Finsternis", "No", "L'éclipse"}},
    {79, {"nicht", "Eclipse", "n'est pas"}},
    {80, {"sichtbar", "Visible", "visible"}},
};

TextTableSlots BuildTable() {
  TextTableSlots slots;
  for (const Row& r : kRows)
    for (std::size_t lang = 0; lang < 3; ++lang) slots[static_cast<std::size_t>(3 * r.row) + lang] = r.texts[lang];
  return slots;
}

const std::string kEmpty;

}  // namespace

const TextTableSlots& TextTable() {
  static const TextTableSlots table = BuildTable();
  return table;
}

const std::string& Text(int row, std::uint8_t languageIndex) {
  if (row < 0 || row >= kTextRows || languageIndex > 2) return kEmpty;
  return TextTable()[static_cast<std::size_t>(3 * row + languageIndex)];
}

std::uint8_t ValidLanguageIndex(std::uint8_t stored) { return stored <= 2 ? stored : kGerman; }

std::optional<std::uint8_t> LanguageFromCode(std::string_view code) {
  if (code == "de") return kGerman;
  if (code == "en") return kEnglish;
  if (code == "fr") return kFrench;
  return std::nullopt;
}

}  // namespace varomintel
