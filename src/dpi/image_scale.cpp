#include "dpi/image_scale.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace qp {

namespace {

// For each new pixel along one axis, the source pixels it covers and how much of each.
struct Span {
  int first = 0;
  std::vector<double> weights;
};

std::vector<Span> Spans(int from, int to) {
  std::vector<Span> spans(static_cast<size_t>(to));
  const double step = static_cast<double>(from) / to;
  for (int i = 0; i < to; ++i) {
    const double a = i * step;
    const double b = (i + 1) * step;
    Span& s = spans[static_cast<size_t>(i)];
    s.first = static_cast<int>(std::floor(a));
    for (int k = s.first; k < from && k < b; ++k) {
      const double cover = std::min<double>(b, k + 1) - std::max<double>(a, k);
      if (cover > 0) s.weights.push_back(cover / step);
      else s.weights.push_back(0);
    }
  }
  return spans;
}

}  // namespace

Image ResizeImage(const Image& src, int w, int h) {
  Image out;
  if (w < 1 || h < 1 || w > kMaxPngSide || h > kMaxPngSide || src.width < 1 || src.height < 1 ||
      src.pixels.size() != static_cast<size_t>(src.width) * static_cast<size_t>(src.height)) {
    return out;
  }
  const std::vector<Span> xs = Spans(src.width, w);
  const std::vector<Span> ys = Spans(src.height, h);
  out.width = w;
  out.height = h;
  out.pixels.resize(static_cast<size_t>(w) * static_cast<size_t>(h));
  for (int y = 0; y < h; ++y) {
    const Span& sy = ys[static_cast<size_t>(y)];
    for (int x = 0; x < w; ++x) {
      const Span& sx = xs[static_cast<size_t>(x)];
      double sum[4] = {0, 0, 0, 0};
      for (size_t j = 0; j < sy.weights.size(); ++j) {
        const size_t row = static_cast<size_t>(sy.first) + j;
        for (size_t i = 0; i < sx.weights.size(); ++i) {
          const uint32_t p = src.pixels[row * static_cast<size_t>(src.width) + static_cast<size_t>(sx.first) + i];
          const double wgt = sy.weights[j] * sx.weights[i];
          for (int c = 0; c < 4; ++c) sum[c] += wgt * ((p >> (8 * c)) & 0xFF);
        }
      }
      uint32_t v = 0;
      for (int c = 0; c < 4; ++c) {
        const long channel = std::lround(std::min(255.0, std::max(0.0, sum[c])));
        v |= static_cast<uint32_t>(channel) << (8 * c);
      }
      out.pixels[static_cast<size_t>(y) * static_cast<size_t>(w) + static_cast<size_t>(x)] = v;
    }
  }
  return out;
}

}  // namespace qp
