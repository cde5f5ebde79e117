// Checks for the fuzz targets. They must hold in every build type (NDEBUG
// included), and a failed one has to stop the run so that libFuzzer keeps the input.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define QP_FUZZ_CHECK(cond)                                                                  \
  do {                                                                                       \
    if (!(cond)) {                                                                           \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);        \
      std::abort();                                                                          \
    }                                                                                        \
  } while (0)

namespace qp::fuzz {

// A small deterministic generator for choices that should not eat the input's
// bytes (the configuration file is fed whole, so real files stay real seeds).
class Choices {
 public:
  explicit Choices(uint64_t seed) : state_(seed | 1) {}
  uint64_t Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return state_;
  }
  // 0..n-1; n must be above 0.
  size_t Below(size_t n) { return static_cast<size_t>(Next() % n); }

 private:
  uint64_t state_;
};

// FNV-1a over the input, the seed of its choices.
inline uint64_t HashBytes(const uint8_t* data, size_t size) {
  uint64_t h = 1469598103934665603ull;
  for (size_t i = 0; i < size; ++i) {
    h ^= data[i];
    h *= 1099511628211ull;
  }
  return h;
}

}  // namespace qp::fuzz
