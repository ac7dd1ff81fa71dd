#pragma once
// The events in the current user's registry, read and written as the clock expects them.
#include <string>
#include <vector>

// Every stored value from Event0 to Event<Count-1>; a value that cannot be read is kept as "".
std::vector<std::string> readStoredEvents();

// Writes the values, then Count, then removes the values beyond: an interrupted save never leaves
// Count pointing past what is stored. False when the key cannot be opened or created.
bool writeStoredEvents(const std::vector<std::string>& values);
