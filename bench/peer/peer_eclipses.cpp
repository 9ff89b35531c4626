// The lunar eclipses of a span of years computed by an independent library, the Swiss
// Ephemeris (libswe), as the other side of bench/peer_times.sh's whole-process comparison.
//
//   peer_eclipses [--from YEAR] [--to YEAR] [--lat DEG --lon DEG [--height M]] [--ephe DIR | --moshier]
//
// Without a place: every lunar eclipse (penumbral ones included) whose greatest eclipse falls in
// FROM-01-01 .. TO-12-31 UT, found by swe_lun_eclipse_when. With a place (degrees, north and
// east positive; metres): those of them seen from there, found by swe_lun_eclipse_when_loc,
// which keeps an eclipse when the Moon's apparent altitude is above 0 at one of its contacts
// or at greatest eclipse.
//
// One line per eclipse on standard output, tab-separated:
//   date of greatest eclipse (UT), type (h penumbral, p partial, t total), then the UT of
//   P1 U1 U2 Max U3 U4 P4 as hh:mm:ss ("-" for a contact the eclipse does not have); with a
//   place, the library's visibility flags (hexadecimal) last.
// The library reports no inner penumbral contacts (P2, P3 of a complete penumbral eclipse).
// The number of eclipses and the ephemeris used go to standard error.
//
// Ephemeris: the library's own files (semo_18.se1, sepl_18.se1, 1800..2399, from Debian's
// swe-data) in DIR, by default the package's folder (pkg-config swe --variable=ephedir). The
// program stops if they are missing rather than let the library fall back silently to its
// analytical Moshier ephemeris; --moshier asks for that one explicitly.
#include <swephexp.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#ifndef PEER_EPHE_DIR
#define PEER_EPHE_DIR "/usr/share/libswe/ephe"
#endif

namespace {

struct Options {
  int fromYear = 1900;
  int toYear = 2100;
  bool local = false;
  bool haveLat = false, haveLon = false;
  double latDeg = 0, lonDeg = 0, heightM = 0;
  std::string epheDir = PEER_EPHE_DIR;
  bool moshier = false;
};

bool ParseNumber(const char* text, double& value) {
  char* end = nullptr;
  value = std::strtod(text, &end);
  return end != text && *end == '\0' && std::isfinite(value);
}

bool ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--moshier") {
      o.moshier = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    const char* v = argv[++i];
    double x = 0;
    if (a == "--ephe") {
      o.epheDir = v;
    } else if (!ParseNumber(v, x)) {
      return false;
    } else if (a == "--from") {
      o.fromYear = static_cast<int>(x);
    } else if (a == "--to") {
      o.toYear = static_cast<int>(x);
    } else if (a == "--lat") {
      o.latDeg = x;
      o.haveLat = true;
    } else if (a == "--lon") {
      o.lonDeg = x;
      o.haveLon = true;
    } else if (a == "--height") {
      o.heightM = x;
    } else {
      return false;
    }
  }
  if (o.haveLat != o.haveLon) return false;
  o.local = o.haveLat;
  return o.fromYear <= o.toYear && std::fabs(o.latDeg) <= 90 && std::fabs(o.lonDeg) <= 180;
}

// A Julian day (UT) as "YYYY-MM-DD" or "hh:mm:ss" (Gregorian calendar), rounded to the second.
void Calendar(double jdUT, char* date, std::size_t dateSize, char* clock, std::size_t clockSize) {
  const double seconds = std::floor(jdUT * 86400.0 + 0.5);
  const double day0 = std::floor((seconds + 43200.0) / 86400.0) - 0.5;  // the preceding 0h UT
  int y = 0, m = 0, d = 0;
  double hour = 0;
  swe_revjul(day0 + 1e-9, SE_GREG_CAL, &y, &m, &d, &hour);
  const int s = static_cast<int>(std::clamp(seconds - day0 * 86400.0, 0.0, 86399.0));
  if (date) std::snprintf(date, dateSize, "%04d-%02d-%02d", y, m, d);
  if (clock) std::snprintf(clock, clockSize, "%02d:%02d:%02d", s / 3600, s / 60 % 60, s % 60);
}

char TypeLetter(int type) {
  if (type & SE_ECL_TOTAL) return 't';
  if (type & SE_ECL_PARTIAL) return 'p';
  return 'h';
}

void PrintEclipse(int type, const double* tret, bool local) {
  // tret: 0 greatest, 2 U1, 3 U4, 4 U2, 5 U3, 6 P1, 7 P4; 0 where the eclipse has no such contact.
  static const int kOrder[] = {6, 2, 4, 0, 5, 3, 7};
  char date[32], clock[32];
  Calendar(tret[0], date, sizeof date, nullptr, 0);
  std::printf("%s\t%c", date, TypeLetter(type));
  for (int k : kOrder) {
    if (tret[k] == 0) {
      std::fputs("\t-", stdout);
      continue;
    }
    Calendar(tret[k], nullptr, 0, clock, sizeof clock);
    std::printf("\t%s", clock);
  }
  if (local) std::printf("\t%x", static_cast<unsigned>(type));
  std::putchar('\n');
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!ParseOptions(argc, argv, o)) {
    std::fprintf(stderr,
                 "usage: %s [--from YEAR] [--to YEAR] [--lat DEG --lon DEG [--height M]] [--ephe DIR | --moshier]\n",
                 argv[0]);
    return 2;
  }
  const int flags = o.moshier ? SEFLG_MOSEPH : SEFLG_SWIEPH;
  char err[AS_MAXCH] = "";
  if (!o.moshier) {
    swe_set_ephe_path(o.epheDir.c_str());
    double moon[6];
    const int got = swe_calc_ut(2451545.0, SE_MOON, flags, moon, err);
    if (got < 0 || !(got & SEFLG_SWIEPH)) {
      std::fprintf(stderr, "no Swiss Ephemeris files in %s (%s); --moshier uses the analytical ephemeris\n",
                   o.epheDir.c_str(), err);
      return 1;
    }
  }
  const double begin = swe_julday(o.fromYear, 1, 1, 0.0, SE_GREG_CAL);
  const double end = swe_julday(o.toYear + 1, 1, 1, 0.0, SE_GREG_CAL);
  double geopos[3] = {o.lonDeg, o.latDeg, o.heightM};
  double tret[10], attr[20];
  long count = 0;
  for (double t = begin;;) {
    std::memset(tret, 0, sizeof tret);
    const int type = o.local ? swe_lun_eclipse_when_loc(t, flags, geopos, tret, attr, 0, err)
                             : swe_lun_eclipse_when(t, flags, 0, tret, 0, err);
    if (type < 0) {
      std::fprintf(stderr, "%s\n", err);
      return 1;
    }
    if (tret[0] >= end) break;
    if (tret[0] >= begin) {
      PrintEclipse(type, tret, o.local);
      ++count;
    }
    t = tret[0] + 1;  // consecutive lunar eclipses are at least a lunation apart
  }
  std::fprintf(stderr, "%ld eclipses (%s)\n", count,
               o.moshier ? "Moshier analytical ephemeris" : ("Swiss Ephemeris files in " + o.epheDir).c_str());
  swe_close();
  return 0;
}
