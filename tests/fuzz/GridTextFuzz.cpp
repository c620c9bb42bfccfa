// SPDX-License-Identifier: GPL-3.0-or-later
// The grid text a person types on the command line or the settings file holds: what it
// accepts is a valid grid, and its own form of that grid reads back the same.
#include <cstddef>
#include <cstdint>

#include "core/survey/SurveyGrid.h"

using namespace km905;

namespace {
void check(bool ok) {
    if (!ok) __builtin_trap();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const std::optional<GridShape> shape = parseGridShape(text);
    if (!shape) return 0;
    check(shape->valid());
    check(shape->columns <= GridShape::kMaxSide && shape->rows <= GridShape::kMaxSide);
    check(parseGridShape(gridShapeText(*shape)) == shape);
    // Every point of the grid has a place of its own inside it.
    const int points = shape->points();
    std::vector<bool> taken(static_cast<size_t>(points), false);
    for (int k = 0; k < points; ++k) {
        const std::optional<GridPoint> p = gridPointOf(*shape, k);
        check(p && p->column >= 0 && p->column < shape->columns && p->row >= 0 &&
              p->row < shape->rows);
        const auto at = static_cast<size_t>(p->row * shape->columns + p->column);
        check(!taken[at]);
        taken[at] = true;
    }
    check(!gridPointOf(*shape, points));
    return 0;
}
