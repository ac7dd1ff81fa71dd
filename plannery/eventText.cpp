#include "eventText.h"

#include <algorithm>

namespace {
bool isDigit(char c) { return c >= '0' && c <= '9'; }
} // namespace

bool isValidTime(const std::string& time) {
    if (time.size() != 5 || time[2] != ':') return false;
    for (int i : {0, 1, 3, 4})
        if (!isDigit(time[i])) return false;
    const int hour = (time[0] - '0') * 10 + (time[1] - '0');
    const int minute = (time[3] - '0') * 10 + (time[4] - '0');
    return hour <= 23 && minute <= 59;
}

eventParts splitStoredEvent(const std::string& value) {
    eventParts parts;
    if (value.size() < 5 || !isValidTime(value.substr(0, 5)) || (value.size() > 5 && value[5] != ' ')) return parts;
    parts.understood = true;
    parts.time = value.substr(0, 5);
    const std::string text = value.size() > 6 ? value.substr(6) : "";
    const size_t slash = text.rfind('/');
    parts.message = slash == std::string::npos ? text : text.substr(0, slash);
    parts.command = slash == std::string::npos ? "" : text.substr(slash + 1);
    return parts;
}

std::string composeEvent(const std::string& time, const std::string& message, const std::string& command) {
    std::string value = time + " " + message;
    if (!command.empty()) return value + "/" + command;
    if (message.find('/') != std::string::npos) return value + "/";
    return value;
}

std::string eventLineOf(const eventParts& parts) { return parts.time + " " + parts.message; }

bool splitEventLine(const std::string& line, std::string* time, std::string* message) {
    if (line.size() < 5 || !isValidTime(line.substr(0, 5))) return false;
    if (line.size() > 5 && line[5] != ' ') return false;
    *time = line.substr(0, 5);
    *message = line.size() > 6 ? line.substr(6) : "";
    return true;
}

std::string validateEvent(const std::string& line, const std::string& command) {
    std::string time, message;
    if (!splitEventLine(line, &time, &message))
        return "The event must start with its time as HH:MM (hour 00 to 23, minute 00 to 59) and a space.";
    if (message.empty() && command.empty()) return "Give the event a message, a command or both.";
    if (command.find('/') != std::string::npos)
        return "The command cannot contain \"/\": the clock takes the text after the last \"/\" as the command.";
    if (composeEvent(time, message, command).size() > maxEventValue)
        return "The event is too long: the clock reads at most 1023 characters.";
    return "";
}

void sortByTime(std::vector<std::string>& values) {
    std::stable_sort(values.begin(), values.end(), [](const std::string& a, const std::string& b) {
        const eventParts x = splitStoredEvent(a), y = splitStoredEvent(b);
        if (x.understood != y.understood) return x.understood;
        return x.understood && x.time < y.time;
    });
}
