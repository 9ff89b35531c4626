#include "app/picture_caption.h"

#include "app/app_texts.h"
#include "app/eclipse_view.h"
#include "app/time_slider.h"
#include "astro/calendar.h"
#include "eclipse/report.h"

namespace varomintel {

namespace {
constexpr const char* kSeparator = "  \u00b7  ";  // a middle dot with two blanks either side
}  // namespace

std::string PictureCaption(double jdTT, double jdUT, const TimeSettings& settings, EclipseTypeCode type,
                           bool atGreatest) {
  const bool ut = settings.universalTime;
  const bool zoned = ut && settings.timeZone != 0;
  std::string moment = DiagramDateTimeText(ut ? jdUT + settings.timeZone / 24 : jdTT, ut);
  if (zoned) moment += FormatTimeZone(settings.timeZone);
  return (atGreatest ? std::string(Text(AppText::kCaptionGreatest, settings.language)) : std::string()) + moment +
         kSeparator + EclipseTypeLongName(type, settings.language) + kSeparator + kCaptionProgramName;
}

std::string DiagramPictureCaption(const SelectedEclipse& selection, int position, const TimeSettings& settings) {
  const SliderTime time = SliderTimeAt(selection.record, position, selection.deltaT);
  return PictureCaption(time.jdTT, time.jdUT, settings, selection.record.EclipseType, false);
}

std::string MapPictureCaption(const SelectedEclipse& selection, const TimeSettings& settings) {
  const EclipseRecord& r = selection.record;
  const double jdTT = DateToJD(r.Year, r.Month, r.Day, r.T0Hour, 0, selection.circumstances.TimeMax * 3600);
  return PictureCaption(jdTT, jdTT - selection.deltaT / 86400, settings, r.EclipseType, true);
}

}  // namespace varomintel
