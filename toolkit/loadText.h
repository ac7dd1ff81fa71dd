#pragma once
#include <windows.h>

// The program's instance handle for the whole toolkit; null until an aApplication is made.
extern HINSTANCE appInstance;

// The one buffer loadText fills: a text stays valid only until the next call.
extern char textBuffer[256];

// Reads a text of the string table into textBuffer and returns it.
char* loadText(int id);
