#include "app/varomintel_variables.h"

namespace varomintel {

VaromintelVariables& Vars() {
  static VaromintelVariables variables;
  return variables;
}

std::atomic<bool>& ListSearchStop() {
  static std::atomic<bool> stop{false};
  return stop;
}

}  // namespace varomintel
