// Feeds arbitrary text to the event reader: the time, the text from the seventh character and the split
// at the last "/" must stay inside their buffers whatever the value holds.
#include "../../clock/eventFormat.h"

#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The clock reads at most 1023 characters and always has a terminating zero.
    std::string value(reinterpret_cast<const char*>(data), size > 1023 ? 1023 : size);
    value = value.c_str();
    int hour = 0, minute = 0;
    parseEventTime(value.c_str(), &hour, &minute);
    const char* text = eventTextOf(value.c_str());
    if (text < value.c_str() || text > value.c_str() + value.size()) abort();
    char message[1024], command[1024];
    splitEventText(text, message, sizeof message, command, sizeof command);
    if (strlen(message) + strlen(command) > strlen(text)) abort();
    return 0;
}
