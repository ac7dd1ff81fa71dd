#include "eventFormat.h"

#include <climits>
#include <cstring>

namespace {
bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// One "%d": white space, an optional sign, at least one digit. Advances p past what it read.
bool readNumber(const char*& p, int* result) {
    while (isSpace(*p)) p++;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = *p == '-';
        p++;
    }
    if (!isDigit(*p)) return false;
    long long value = 0;
    for (; isDigit(*p); p++) {
        value = value * 10 + (*p - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) return false;
    }
    if (negative) value = -value;
    if (value > INT_MAX || value < INT_MIN) return false;
    *result = static_cast<int>(value);
    return true;
}

void copyCut(char* target, size_t targetSize, const char* source, size_t length) {
    if (targetSize == 0) return;
    if (length >= targetSize) length = targetSize - 1;
    memcpy(target, source, length);
    target[length] = '\0';
}
} // namespace

bool parseEventTime(const char* value, int* hour, int* minute) {
    const char* p = value;
    int h = 0;
    int m = 0;
    if (!readNumber(p, &h)) return false;
    if (*p != ':') return false;
    p++;
    if (!readNumber(p, &m)) return false;
    *hour = h;
    *minute = m;
    return true;
}

const char* eventTextOf(const char* value) {
    // Counted from the start whatever widths the numbers had: "7:05 Wake" loses its W.
    return value + strnlen(value, 6);
}

void splitEventText(const char* text, char* message, size_t messageSize, char* command, size_t commandSize) {
    const char* slash = strrchr(text, '/');
    if (slash == nullptr) {
        copyCut(message, messageSize, text, strlen(text));
        copyCut(command, commandSize, "", 0);
        return;
    }
    copyCut(message, messageSize, text, static_cast<size_t>(slash - text));
    copyCut(command, commandSize, slash + 1, strlen(slash + 1));
}
