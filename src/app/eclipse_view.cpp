#include "app/eclipse_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "app/elements_table.h"
#include "astro/calendar.h"
#include "astro/delta_t.h"
#include "astro/sun_constellation.h"
#include "astro/trig_func.h"
#include "eclipse/eclipse_type.h"

namespace varomintel {

void EclipseView::Select(const Catalogue& catalogue, int index) {
  selection_ = SelectEclipseAt(catalogue, index, settings_);
  position_ = SliderPosition(selection_.circumstances.TimeMax);
  Refresh();
}

void EclipseView::SetTimeSettings(const TimeSettings& settings) {
  settings_ = settings;
  if (!HasSelection()) return;
  ApplyTimeSettings(selection_, settings_);
  Refresh();
}

void EclipseView::SetCaptionPrefix(std::string prefix) {
  captionPrefix_ = std::move(prefix);
  if (HasSelection()) Refresh();
}

void EclipseView::SetSliderPosition(int position) {
  position_ = std::clamp(position, kSliderFirst, kSliderLast);
  if (HasSelection()) Refresh();
}

WorldMapEclipse EclipseView::MapEclipse() const {
  const EclipseRecord& r = selection_.record;
  WorldMapEclipse map = WorldMapEclipseOf(r, selection_.circumstances, DeltaTFor(r, settings_));
  map.band = HorizonBandOf(r, selection_.circumstances, DeltaT(r.Year, r.Month), DeltaTSigma(r.Year, r.Month));
  return map;
}

void EclipseView::Refresh() { now_ = MomentOf(DiagramSceneOf(*this)); }

double EclipticTiltOnDiagram(double jdTT) {
  return std::cos(SunRightAscension(jdTT)) * DiagramObliquityDeg() * DegToRad;
}

DiagramScene DiagramSceneOf(const EclipseView& view) {
  const SelectedEclipse& s = view.Selection();
  return DiagramSceneOf(s, SliderTimeAt(s.record, view.Position(), s.deltaT), view.Settings().universalTime,
                        view.Settings().language, view.CaptionPrefix());
}

DiagramScene DiagramSceneOf(const SelectedEclipse& selection, const SliderTime& time, bool universalTime,
                            std::uint8_t language, std::string captionPrefix) {
  DiagramScene scene;
  scene.record = &selection.record;
  scene.circumstances = &selection.circumstances;
  scene.moonPath = &selection.moonPath;
  scene.t = time.t;
  scene.jdTT = time.jdTT;
  scene.jdUT = time.jdUT;
  scene.deltaT = selection.deltaT;
  scene.eclipticTilt = EclipticTiltOnDiagram(time.jdTT);
  scene.elements = EvaluateElements(selection.record, time.t, selection.deltaT);
  scene.universalTime = universalTime;
  scene.language = language;
  scene.captionPrefix = std::move(captionPrefix);
  return scene;
}

std::string DiagramCaption(const std::string& prefix, const std::string& dateTime, EclipseTypeCode type,
                           std::uint8_t language) {
  const bool separate = !prefix.empty() && prefix.back() != ' ';
  return prefix + (separate ? "     " : "") + dateTime + "     " + EclipseTypeLongName(type, language);
}

std::string DiagramDateTimeText(double jd, bool universalTime) {
  const CalendarDate d = JDToDate(std::nearbyint(jd * 86400) / 86400);
  char text[64];
  std::snprintf(text, sizeof text, "%s%04d-%02d-%02d  %02d:%02d:%02d%s", d.year < 0 ? "-" : "", std::abs(d.year),
                d.month, d.day, static_cast<int>(d.hour), static_cast<int>(d.minute),
                static_cast<int>(std::lrint(d.second)), universalTime ? " UTC" : " TT");
  return text;
}

ShownMoment MomentOf(const DiagramScene& scene) {
  ShownMoment m;
  m.t = scene.t;
  m.jdTT = scene.jdTT;
  m.jdUT = std::nearbyint(scene.jdUT * 86400) / 86400;
  m.elements = scene.elements;
  m.dateTime = DiagramDateTimeText(scene.universalTime ? m.jdUT : scene.jdTT, scene.universalTime);
  m.caption = DiagramCaption(scene.captionPrefix, m.dateTime, scene.record->EclipseType, scene.language);
  m.shortType = EclipseTypeShortName(scene.record->EclipseType, scene.language);
  m.constellation = MoonConstellation(m.elements, m.jdUT);
  return m;
}

}  // namespace varomintel
