#include "loadText.h"

HINSTANCE appInstance = nullptr;
char textBuffer[256];

char* loadText(int id) {
    // With a null instance LoadStringA reads the executable's own table, which is the same one.
    LoadStringA(appInstance, id, textBuffer, sizeof textBuffer);
    return textBuffer;
}
