// A caption drawn along the lower edge of a picture: a band added below it, dark grey with
// light text, that grows with the picture's scale so that it reads at any size. The text
// is composed by the application layer (app/picture_caption.h); this only draws it.
#pragma once

#include <QImage>
#include <QString>

namespace varomintel {

// The band's height at `scale` physical pixels per design pixel: 24 design pixels, rounded
// (ScaledLength), and made even, so that a video's frames (halved in yuv420p) keep it whole.
// A scale below 1 counts as 1 here and below: the caption of a picture drawn smaller than
// its design keeps the size at which it reads.
int CaptionBandHeight(double scale);

// `picture` with the band of CaptionBandHeight(scale) below it, the same width, in 32-bit
// RGB with the picture's resolution. The text is 10 points (at 96 dots per inch) times the
// scale, left-aligned 8 design pixels in from the edge and centred in the band; a text too
// wide for the picture is set smaller until it fits (and elided below 6 points). A null
// picture stays null.
QImage WithCaption(const QImage& picture, const QString& caption, double scale);

}  // namespace varomintel
