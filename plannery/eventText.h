#pragma once
// The events as the settings editor shows and writes them, in the format the clock reads: "HH:MM", a
// space, the message, and "/" + the command when there is one.
#include <string>
#include <vector>

const size_t maxEventValue = 1023;
const size_t maxEditorEvents = 1024;  // what the clock loads; Add stops there
const size_t maxStoredEvents = 65536; // what the editor reads and keeps

struct eventParts {
    bool understood = false; // false: a value the clock cannot read; shown and kept as it is
    std::string time;        // "HH:MM"
    std::string message;
    std::string command;
};

// "HH:MM" with exactly two digits each, hour 00-23, minute 00-59.
bool isValidTime(const std::string& time);

// The parts of a stored value, as the clock will split them.
eventParts splitStoredEvent(const std::string& value);

// The value to store. A message holding "/" without a command gets a trailing "/" so the clock shows it whole.
std::string composeEvent(const std::string& time, const std::string& message, const std::string& command);

// What the dialog's first field holds for an event ("HH:MM message"), and back.
std::string eventLineOf(const eventParts& parts);
bool splitEventLine(const std::string& line, std::string* time, std::string* message);

// Why the input cannot be stored, or "" when it can.
std::string validateEvent(const std::string& line, const std::string& command);

// Events in the order the user reads them: by time, values the clock cannot read last, otherwise stable.
void sortByTime(std::vector<std::string>& values);
