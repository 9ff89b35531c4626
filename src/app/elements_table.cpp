#include "app/elements_table.h"

#include "astro/sun_constellation.h"
#include "astro/trig_func.h"
#include "text/number_text.h"
#include "text/text_table.h"

namespace varomintel {

namespace {

// Fixed notation without the sign of a value that rounds to zero.
std::string Fixed(double value, int decimals) {
  std::string s = FormatFixed(value, decimals);
  if (s.size() > 1 && s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
  return s;
}

}  // namespace

ElementsTableCells ElementsTableTexts(const ElementsTableInput& in) {
  const ElementValues& e = in.elements;
  const std::uint8_t lang = in.language;
  const std::string arcseconds = " \"";
  const std::string degrees = " °";
  ElementsTableCells c;
  c[0] = {" T-T0", Fixed(in.t, 4), Text(text_row::kHours, lang)};
  c[1] = {" x", Fixed(e.x, 0), arcseconds};
  c[2] = {" y", Fixed(e.y, 0), arcseconds};
  c[3] = {" d", Fixed(e.d * RadToDeg, 1), degrees};
  c[4] = {" M", Fixed(e.M * RadToDeg, 1), degrees};
  c[5] = {" f1", Fixed(e.f1, 0), arcseconds};
  c[6] = {" f2", Fixed(e.f2, 0), arcseconds};
  c[7] = {" Gamma", Fixed(in.gamma, 4), Text(text_row::kEarthRadii, lang)};
  c[8] = {" PenMag", Fixed(in.penMag, 4), ""};
  c[9] = {" UmbMag", Fixed(in.umbMag, 4), ""};
  c[10] = {" L", Fixed(e.L, 0), arcseconds};
  c[11] = {" rmoo", Fixed(e.PenContactRadius - e.f1, 0), arcseconds};
  c[12] = {" " + Text(text_row::kConstellation, lang), in.constellation, " "};
  return c;
}

std::string MoonConstellation(const ElementValues& e, double jd) {
  return std::string(ConstellationOf(e.MoonRA * DegToRad, e.MoonDec * DegToRad, jd).substr(0, 3));
}

}  // namespace varomintel
