// Uses of the parameter record that must not compile, one per value of MISUSE; CTest
// compiles this file with -fsyntax-only for each. MISUSE=0 is the control: correct use,
// which must compile, so that a failure of the others means what it says.
#include "app/parameter_file.h"

namespace varomintel {

void Use(ParameterRecord& r) {
#if MISUSE == 0
  r.SetShortString(param::kHistPlace, "Zürich");
  r.SetInt(param::kEclipse, r.Int(param::kMainTop));
  constexpr param::TextField<16> last{kParameterRecordSize - 17};
  (void)r.ShortString(last);
#elif MISUSE == 1  // a capacity given apart from the field
  r.SetShortString(param::kHistPlace, 16, "x");
#elif MISUSE == 2  // a field that reaches past the record's end
  constexpr param::TextField<16> beyond{kParameterRecordSize - 16};
  (void)r.ShortString(beyond);
#elif MISUSE == 3  // an integer read out of a text field
  (void)r.Int(param::kHistPlace);
#elif MISUSE == 4  // a bare offset
  r.SetInt(31, 5);
#elif MISUSE == 5  // a field made at run time
  const std::size_t offset = r.bytes()[0];
  const param::Int32Field field{offset};
  (void)r.Int(field);
#endif
}

}  // namespace varomintel
