#pragma once
// A toolkit window that writes down every handler call, so a test can compare what ran with a table.
#include "aWindow.h"

#include <cstdio>
#include <string>
#include <vector>

class recordingWindow : public aWindow {
public:
    recordingWindow(const char* title = "recorder", DWORD style = WS_POPUP, aWindow* parent = nullptr)
        : aWindow(parent, GetModuleHandleA(nullptr), title, style) {}

    std::vector<std::string> calls;
    int messageResult = 0; // what onMessage answers
    std::vector<std::string>* destructionLog = nullptr;

    void onDestroy() override { note("onDestroy"); }
    void onPaint(HDC dc) override { note("onPaint", dc != nullptr); }
    void onKeyDown(int key) override { note("onKeyDown", key); }
    void onMouseMove(int f, int x, int y) override { note("onMouseMove", f, x, y); }
    void onButtonDown(int f, int x, int y) override { note("onButtonDown", f, x, y); }
    void onDoubleClick(int f, int x, int y) override { note("onDoubleClick", f, x, y); }
    void onButtonUp(int f, int x, int y) override { note("onButtonUp", f, x, y); }
    void onTimer(int id) override { note("onTimer", id); }
    void onCommand(int id) override { note("onCommand", id); }
    void onControlCommand(int id, int code, LPARAM control) override {
        note("onControlCommand", id, code, static_cast<long long>(control));
    }
    int onMessage(HWND window, UINT message, WPARAM, LPARAM) override {
        if (window == hwnd && message == watchedMessage) note("onMessage", static_cast<long long>(message));
        return messageResult;
    }
    void onShow() override { note("onShow"); }
    void onMouseWheel(int delta, int x, int y) override { note("onMouseWheel", delta, x, y); }
    void onFocusCycle(HWND focused) override { note("onFocusCycle", reinterpret_cast<long long>(focused)); }
    ~recordingWindow() override {
        if (destructionLog != nullptr) destructionLog->push_back(title);
    }

    // onMessage is called for many messages the system sends; only this one is written down.
    UINT watchedMessage = WM_USER + 100;
    int positionX() const { return posX; }
    int positionY() const { return posY; }
    int mainMark() const { return isMain; }
    HWND previousActive() const { return prevActive; }

private:
    template <typename... T> void note(const char* name, T... values) {
        std::string call = name;
        call += "(";
        const long long all[] = {static_cast<long long>(values)..., 0};
        for (size_t i = 0; i < sizeof...(values); i++) {
            if (i > 0) call += ",";
            call += std::to_string(all[i]);
        }
        call += ")";
        calls.push_back(call);
    }
};
