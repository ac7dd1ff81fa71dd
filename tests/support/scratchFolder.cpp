#include "scratchFolder.h"

#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {
std::atomic<int> folderCounter{0};

} // namespace

scratchFolder::scratchFolder(bool enter) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    char name[MAX_PATH + 64];
    sprintf(name, "%sbellwick-%lu-%d-%lu", temp, GetCurrentProcessId(), folderCounter++, GetTickCount());
    root = name;
    removeTree(root);
    makeFolder(root);
    if (enter) {
        char cwd[MAX_PATH];
        GetCurrentDirectoryA(sizeof cwd, cwd);
        previous = cwd;
        SetCurrentDirectoryA(root.c_str());
    }
}

scratchFolder::~scratchFolder() {
    if (!previous.empty()) SetCurrentDirectoryA(previous.c_str());
    removeTree(root);
}

void makeFolder(const std::string& path) { CreateDirectoryA(path.c_str(), nullptr); }

void writeFile(const std::string& path, const std::string& bytes) {
    FILE* f = fopen(path.c_str(), "wb");
    if (f == nullptr) return;
    fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
}

std::string readFile(const std::string& path) {
    std::string bytes;
    FILE* f = fopen(path.c_str(), "rb");
    if (f == nullptr) return bytes;
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, f)) > 0) bytes.append(chunk, n);
    fclose(f);
    return bytes;
}

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool copyFile(const std::string& from, const std::string& to) { return CopyFileA(from.c_str(), to.c_str(), FALSE); }

void removeTree(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name != "." && name != "..") removeTree(path + "\\" + name);
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
}

void copyTree(const std::string& from, const std::string& to) {
    makeFolder(to);
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((from + "\\*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            copyTree(from + "\\" + name, to + "\\" + name);
        else
            CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
    } while (FindNextFileA(search, &entry));
    FindClose(search);
}

std::string buildFolder() {
    const char* unixPath = getenv("BELLWICK_BUILD");
    if (unixPath == nullptr) return ".";
    // Wine's drive Z: is the Unix root.
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

std::string installFolder() { return buildFolder() + "\\install"; }

std::string testProgram(const char* name) { return buildFolder() + "\\tests\\" + name; }

void copyInstalledSkins(const std::string& folder) { copyTree(installFolder() + "\\Skins", folder + "\\Skins"); }
