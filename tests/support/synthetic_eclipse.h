// Synthetic eclipses for tests: the Moon on a straight line through constant shadow
// circles, so that greatest eclipse and every contact have closed forms.
#pragma once

#include <cmath>

#include "eclipse/catalogue.h"

namespace varomintel::testing {

struct LinearEclipse {
  double x0 = -3000, vx = 1800;  // arcseconds, arcseconds per hour
  double y0 = 400, vy = 60;
  double f1 = 4600;              // penumbra radius, arcseconds
  double f2 = 2700;              // umbra radius
  double moonRadius = 930;

  EclipseRecord Record(int year = 2022, int month = 11, int day = 8, int hour = 11) const {
    EclipseRecord r;
    r.Year = year;
    r.Month = month;
    r.Day = day;
    r.T0Hour = hour;
    r.EclipseType = EclipseTypeCode::PartialUmbral;
    r.Saros = 136;
    r.SarosMember = 20;
    r.SarosCount = 72;
    r.X.c = {x0, vx, 0, 0};
    r.Y.c = {y0, vy, 0, 0};
    r.D.c = {16.5, -0.01, 0};
    r.M.c = {-12.0, 15.0, 0};
    r.MoonRA.c = {223.0, 0.55, 0};
    r.MoonDec.c = {-16.0, -0.1, 0};
    r.PenContactRadius.c = {f1 + moonRadius, 0, 0};
    r.UmbContactRadius.c = {f2 + moonRadius, 0, 0};
    r.TotalityRadius.c = {f2 - moonRadius, 0, 0};
    r.F1.c = {f1, 0, 0};
    r.F2.c = {f2, 0, 0};
    return r;
  }
  // Instant of least distance, and the least distance (arcseconds).
  double TimeMax() const { return -(x0 * vx + y0 * vy) / (vx * vx + vy * vy); }
  double LMin() const {
    const double t = TimeMax();
    return std::hypot(x0 + vx * t, y0 + vy * t);
  }
  // Half the time the Moon's centre spends within radius R, 0 when it never gets there.
  double HalfChord(double R) const {
    const double l = LMin();
    return R > l ? std::sqrt(R * R - l * l) / std::hypot(vx, vy) : 0;
  }
  // The Moon passing at the given least distance from the axis, greatest eclipse at tMax.
  static LinearEclipse Passing(double lmin, double tMax = 0.3) {
    LinearEclipse e;
    e.vx = 1800;
    e.vy = 60;
    const double v = std::hypot(e.vx, e.vy);
    // Perpendicular offset (-vy, vx)/|v| * lmin, then back along v by tMax.
    const double px = -e.vy / v * lmin;
    const double py = e.vx / v * lmin;
    e.x0 = px - e.vx * tMax;
    e.y0 = py - e.vy * tMax;
    return e;
  }
};

}  // namespace varomintel::testing
