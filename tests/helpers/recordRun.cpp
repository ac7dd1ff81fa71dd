// Started by the tests as an event's command: appends its command-line arguments, one line per run, to the
// file named by its first argument, so a test can see that (and with what) it was started.
#include <windows.h>

#include <cstdio>
#include <cstring>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR arguments, int) {
    char target[MAX_PATH];
    const char* space = strchr(arguments, ' ');
    size_t length = space != nullptr ? static_cast<size_t>(space - arguments) : strlen(arguments);
    if (length == 0 || length >= sizeof target) return 2;
    memcpy(target, arguments, length);
    target[length] = '\0';
    FILE* f = fopen(target, "ab");
    if (f == nullptr) return 3;
    fprintf(f, "%s\n", space != nullptr ? space + 1 : "");
    fclose(f);
    return 0;
}
