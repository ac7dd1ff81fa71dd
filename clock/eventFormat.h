#pragma once
// The event value format shared with the settings editor: "HH:MM", one separator, then the text, whose
// last "/" separates the message from the command. Plain C++ so that it also builds natively for fuzzing.

#include <cstddef>

// An hour or minute that can never match the time of day: the entry never fires.
const int neverFires = -1;

// Reads the hour and the minute as "%d:%d" does from the start of the value: optional white space and
// sign, digits, a ':' right after the first number, white space allowed before the second. A number too
// large for an int is refused instead of overflowing. False when the value does not start so.
bool parseEventTime(const char* value, int* hour, int* minute);

// The event text: the value from its seventh character on, or "" when it is shorter.
const char* eventTextOf(const char* value);

// Splits text at its last "/": the message before it, the command after it (both copied, cut to fit).
// Without a "/" the whole text is the message and the command is empty.
void splitEventText(const char* text, char* message, size_t messageSize, char* command, size_t commandSize);
