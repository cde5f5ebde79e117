// The benchmark timer's clock and its reply line, shared by its command files.
#pragma once
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace qpb {

// Microseconds since it was made, from the performance counter.
class Clock {
 public:
  Clock() {
    QueryPerformanceFrequency(&freq_);
    QueryPerformanceCounter(&start_);
  }
  int64_t Micros() const {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return (now.QuadPart - start_.QuadPart) * 1000000 / freq_.QuadPart;
  }

 private:
  LARGE_INTEGER freq_;
  LARGE_INTEGER start_;
};

// "ok <microseconds> <polls>[ <extra>]".
inline std::string Reply(int64_t micros, int polls, const std::string& extra = std::string()) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "ok %lld %d", static_cast<long long>(micros), polls);
  return buf + (extra.empty() ? std::string() : " " + extra);
}

}  // namespace qpb
