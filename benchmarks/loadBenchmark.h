#pragma once
#include "tickBenchmark.h"

// The clock's loadEvents beside a floor that reads the same values with nothing else: one key opened,
// Count and every EventN queried into one buffer, the key closed.
pairedFigures measureLoadEvents(benchmarkedClock& clock, const benchmarkPlan& plan);

// The clock's reload (as Refresh runs it) beside a floor that reads the same settings and the events and
// makes the skin's two bitmaps with LoadImage.
pairedFigures measureReload(benchmarkedClock& clock, const benchmarkPlan& plan);

// One RegQueryValueExA of the events' Count: under Wine a round trip to its server, the unit of which
// loadEvents and its floor are made.
summary measureRegistryRead(const benchmarkPlan& plan);
