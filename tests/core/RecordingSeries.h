#pragma once
// A chart series for tests: keeps the points a projection writes into it.

#include <string>
#include <utility>
#include <vector>

#include "core/Projection.h"

namespace penmarrow {

struct RecordingSeries final : SeriesSink {
  RecordingSeries() = default;
  // Starts from the points the series held before, as a window's series would.
  RecordingSeries(std::vector<double> before, std::vector<std::u16string> beforeLabels)
      : values(std::move(before)), labels(std::move(beforeLabels)) {}
  void Clear() override {
    values.clear();
    labels.clear();
  }
  void Add(double value, std::u16string_view label) override {
    values.push_back(value);
    labels.emplace_back(label);
  }
  std::vector<double> values;
  std::vector<std::u16string> labels;
};

}  // namespace penmarrow
