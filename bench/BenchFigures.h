#pragma once

// What the benchmark programs share: the median of their samples, and a main that prints a
// failure as the benchmark's line instead of ending on an exception.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <vector>

namespace orvane::bench {

// The middle sample (the upper one of an even count); 0 for none.
inline double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

template <typename Run>
int RunPrintingFailure(const char* name, Run run) {
  try {
    return run();
  } catch (const std::exception& error) {
    std::printf("%s: failed (%s)\n", name, error.what());
    return 1;
  }
}

}  // namespace orvane::bench
