#include "app/varomintel_variables.h"

namespace varomintel {

VaromintelVariables& Vars() {
  static VaromintelVariables variables;
  return variables;
}

}  // namespace varomintel
