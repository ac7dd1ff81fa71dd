// The uninstaller: removes the clock's registry keys and installed files from the current folder, then
// reports success. Every step runs once, whatever the one before it achieved.
#include "../resources/resource.h"
#include "../toolkit/loadText.h"

#include <cstring>
#include <windows.h>

namespace {
enum stepKind { deleteKey, deleteFile, removeFolder };

struct step {
    stepKind kind;
    const char* target;
};

// Children before their parents: Events before the product key, files before their folders.
const step steps[] = {
    {deleteKey, "Software\\Quorvane\\Bellwick\\Events"},
    {deleteKey, "Software\\Quorvane\\Bellwick"},
    {deleteFile, "Plannery.exe"},
    {deleteFile, "Plannery.ico"},
    {deleteFile, "Bellwick.exe"},
    {deleteFile, "Bellwick.ico"},
    {deleteFile, "Help\\Bugs.txt"},
    {deleteFile, "Help\\changes.log"},
    {deleteFile, "Help\\readme.html"},
    {removeFolder, "Help"},
    {deleteFile, "Skins\\Black-White\\Blink.bmp"},
    {deleteFile, "Skins\\Black-White\\Main.bmp"},
    {removeFolder, "Skins\\Black-White"},
    {deleteFile, "Skins\\Default\\Blink.bmp"},
    {deleteFile, "Skins\\Default\\Main.bmp"},
    {removeFolder, "Skins\\Default"},
    {deleteFile, "Skins\\Gold\\Blink.bmp"},
    {deleteFile, "Skins\\Gold\\Main.bmp"},
    {removeFolder, "Skins\\Gold"},
    {deleteFile, "Skins\\NewStyle\\Blink.bmp"},
    {deleteFile, "Skins\\NewStyle\\Main.bmp"},
    {removeFolder, "Skins\\NewStyle"},
    {deleteFile, "Skins\\Original\\Blink.bmp"},
    {deleteFile, "Skins\\Original\\Main.bmp"},
    {removeFolder, "Skins\\Original"},
    {removeFolder, "Skins"},
};

void perform(const step& s) {
    switch (s.kind) {
    case deleteKey:
        RegDeleteKeyA(HKEY_CURRENT_USER, s.target);
        break;
    case deleteFile:
        DeleteFileA(s.target);
        break;
    case removeFolder:
        RemoveDirectoryA(s.target);
        break;
    }
}
} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    for (const step& s : steps) perform(s);

    // loadText has one buffer: the text is copied before the caption is loaded.
    char text[256];
    strcpy(text, loadText(textUninstalled));
    MessageBoxA(nullptr, text, loadText(textUninstallCaption), MB_ICONWARNING | MB_OK);
    return 0;
}
