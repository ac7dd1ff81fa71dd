#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// One message box as the user saw it.
struct recordedBox {
    std::string text;
    std::string caption;
    HWND owner = nullptr;
    UINT icon = 0;    // MB_ICONINFORMATION, MB_ICONWARNING, MB_ICONERROR, MB_ICONQUESTION or 0
    UINT buttons = 0; // MB_OK, MB_OKCANCEL, MB_YESNO, MB_YESNOCANCEL
};

// Answers every message box of this thread while it lives: a thread-local CBT hook sees the box come up
// and a helper window of the thread reads and answers it from inside the box's own message loop.
class messageBoxWatcher {
public:
    explicit messageBoxWatcher(int answer = IDOK);
    messageBoxWatcher(const messageBoxWatcher&) = delete;
    messageBoxWatcher& operator=(const messageBoxWatcher&) = delete;
    ~messageBoxWatcher();

    const std::vector<recordedBox>& boxes() const { return seen; }
    void setAnswer(int value) { answer = value; }
    // Drops what was recorded so far, memory included (for runs that answer boxes by the thousand).
    void forget() {
        std::vector<recordedBox>().swap(seen);
        std::vector<HWND>().swap(handled);
    }
    size_t answered = 0; // every box answered, forgotten or not
    // Runs while a box is open, before it is answered (the box's modal loop is running then).
    std::function<void(const recordedBox&)> whileOpen;

private:
    static LRESULT CALLBACK cbtHook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK helperProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void answerBox(HWND box);

    HHOOK hook;
    HWND helper;
    int answer;
    std::vector<recordedBox> seen;
    std::vector<HWND> handled;
};
