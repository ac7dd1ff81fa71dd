// Stands in for the settings editor: copied into a test folder as Plannery.exe. It records that it
// started in "editor-started.txt", then runs until the file "editor-stop" appears in its folder (or 30 s
// pass) and ends with the exit code written in that file (0 when empty).
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    FILE* started = fopen("editor-started.txt", "ab");
    if (started != nullptr) {
        fprintf(started, "%lu\n", GetCurrentProcessId());
        fclose(started);
    }
    for (int waited = 0; waited < 30000; waited += 20) {
        FILE* stop = fopen("editor-stop", "rb");
        if (stop != nullptr) {
            char code[16] = "";
            fgets(code, sizeof code, stop);
            fclose(stop);
            return atoi(code);
        }
        Sleep(20);
    }
    return 0;
}
