#pragma once

#include <vector>

#include "ui/verdict.h"

// One picture of the result page: which bitmap goes where, in client pixels.
struct PicturePlacement {
  int bitmapId;
  int x, y, width, height;
};

// The marks and the banner to paint over the background, in painting order.
// Nothing for a mark of 0.
std::vector<PicturePlacement> VerdictPictures(const VerdictState& marks);
