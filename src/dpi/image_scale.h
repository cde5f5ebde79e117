// Pictures for a DPI that has no picture of its own: the nearest larger one, resized.
#pragma once
#include "shell/png_image.h"

namespace qp {

// `src` resized to w x h by area averaging: each new pixel is the mean of the source area it
// covers, weighted by how much of each source pixel falls inside it (premultiplied colour keeps
// edges right). A size below 1 or above kMaxPngSide, or an empty source, gives an empty image.
Image ResizeImage(const Image& src, int w, int h);

}  // namespace qp
