// What the picture commands of the shadow diagram (diagram, animate) share.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include <QImage>

#include "app/eclipse_view.h"
#include "render/moon_pictures.h"

namespace varomintel::cli {

// The first Moon picture that the drawings at the slider `positions` take and that could
// not be loaded; empty when every picture they take is usable.
PictureFault UnusableMoonPicture(const SelectedEclipse& selection, const std::vector<int>& positions,
                                 const MoonPictures& pictures);

// The PNG bytes of a picture, to a file written whole or not at all, or to a stream
// (picture_output.h); false, with the line that names the file and the reason in `error`,
// when either fails.
bool WritePng(const QImage& image, const std::string& path, std::ostream& out, std::string* error);

}  // namespace varomintel::cli
