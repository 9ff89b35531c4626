// libFuzzer target: any 430 bytes as a catalogue record, through the checks a loaded
// record passes, the circumstances and the report. Nothing may crash, hang or invoke
// undefined behaviour, whatever the file holds.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "eclipse/catalogue.h"
#include "eclipse/circumstances.h"
#include "eclipse/report.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varomintel;
  if (size < kRecordSize + 1) return 0;
  EclipseRecord r = DecodeRecord(data);
  if (!RecordDefect(r).empty()) return 0;  // the loader refuses it
  const double deltaT = static_cast<double>(data[kRecordSize]) * 100.0;
  const CircumstancesResult res = ComputeCircumstances(r, deltaT);
  r.EclipseType = res.type;
  ReportSettings s;
  s.language = data[kRecordSize] % 3;
  s.universalTime = data[kRecordSize] & 1;
  s.deltaT = deltaT;
  (void)BuildReport(r, res.circumstances, s);
  return 0;
}
