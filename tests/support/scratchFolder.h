#pragma once
#include <string>

// A fresh folder under the temporary path, made the current directory while the object lives (the
// programs resolve every path against it), then removed with everything in it.
class scratchFolder {
public:
    explicit scratchFolder(bool enter = true);
    scratchFolder(const scratchFolder&) = delete;
    scratchFolder& operator=(const scratchFolder&) = delete;
    ~scratchFolder();

    const std::string& path() const { return root; }
    std::string file(const std::string& relative) const { return root + "\\" + relative; }

private:
    std::string root;
    std::string previous;
};

void makeFolder(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
bool copyFile(const std::string& from, const std::string& to);
void removeTree(const std::string& path);
void copyTree(const std::string& from, const std::string& to);

// The build folder (BELLWICK_BUILD, set by CTest) and what lies in it, as Windows paths.
std::string buildFolder();
std::string installFolder();
std::string testProgram(const char* name); // a helper program of the tests, e.g. "recordRun.exe"
// Copies the installed skins into folder\Skins.
void copyInstalledSkins(const std::string& folder);
