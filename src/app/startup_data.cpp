#include "app/startup_data.h"

namespace varomintel {

StartupData& Startup() {
  static StartupData variables;
  return variables;
}

}  // namespace varomintel
