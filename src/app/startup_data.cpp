#include "app/startup_data.h"

namespace varomintel {

StartupData& Startup() {
  static StartupData data;
  return data;
}

}  // namespace varomintel
