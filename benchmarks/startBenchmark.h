#pragma once
#include "tickBenchmark.h"

#include <string>

// Starts of the installed Bellwick.exe and of the floor program, alternating, each timed from
// CreateProcess to the moment its face shows on the screen (a pixel of the face read back from the
// display). Uses the real HKEY_CURRENT_USER, where it leaves no clock settings behind.
pairedFigures measureStarts(const std::string& installFolder, const std::string& floorProgram,
                            const benchmarkPlan& plan);
