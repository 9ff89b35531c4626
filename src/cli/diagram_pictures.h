// What the picture commands of the shadow diagram (diagram, animate) share.
#pragma once

#include <vector>

#include "app/eclipse_view.h"
#include "render/moon_pictures.h"

namespace varomintel::cli {

// The first Moon picture that the drawings at the slider `positions` take and that could
// not be loaded; empty when every picture they take is usable.
PictureFault UnusableMoonPicture(const SelectedEclipse& selection, const std::vector<int>& positions,
                                 const MoonPictures& pictures);

}  // namespace varomintel::cli
