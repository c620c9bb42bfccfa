// SPDX-License-Identifier: GPL-3.0-or-later
// The simulator's scenario reader: bad text may only end in its own error.
#include <cstddef>
#include <cstdint>
#include <stdexcept>

#include "Scenario.h"

using namespace km905::sim;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    try {
        const Scenario s = parseScenario(text);
        // Masked on reading, so whatever the text said the meter has a real range and line.
        if (s.range < 0 || s.range > 3 || s.clockLine < 0 || s.clockLine > 3) __builtin_trap();
        for (double t : {-1.0, 0.0, 0.5, 60.0, 1e9}) (void)s.level.luxAt(t);
    } catch (const std::runtime_error&) {
    }
    return 0;
}
