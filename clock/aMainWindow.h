#pragma once
#include "../toolkit/aWindow.h"

class aPopupMenu;
class aStringList;
class aBitmap;

// The round clock window: its face, menu, tray icon, timer, settings and alarm events.
class aMainWindow : public aWindow {
public:
    static const int maxEvents = 1024;
    static const int faceSize = 65;
    static const int trayMessage = WM_USER + 1; // 1025, the tray icon's callback
    static const int tickTimer = 1;
    static const int tickMilliseconds = 500;

    aMainWindow(HINSTANCE instance, const char* title);
    ~aMainWindow() override;

    void onDestroy() override;
    void onPaint(HDC dc) override;
    void onKeyDown(int key) override;
    void onMouseMove(int flags, int x, int y) override;
    void onButtonDown(int flags, int x, int y) override;
    void onDoubleClick(int flags, int x, int y) override;
    void onButtonUp(int flags, int x, int y) override;
    void onTimer(int id) override;
    void onCommand(int id) override;
    int onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    void firstRunSetup();
    void buildMenus();
    void markCurrentSkin();
    void reloadConfig(bool withPosition);
    void loadEvents();
    void checkAlarms();

protected:
    void saveSettings();
    void removeTrayIcon();
    void releaseWindowResources();
    void openPopupMenu();
    void startEditor();
    void watchEditor();
    void releaseEditor();
    void chooseSkin(int id);
    bool loadSkinImages(const char* name);
    void recoverFromMissingSkin();
    void setTopmost(bool topmost);

    HINSTANCE hinstance;
    aPopupMenu* mainMenu;
    aPopupMenu* skinMenu;
    int alarmActive;
    int blinkTicks;
    int hidden;
    int skinItemEnd;
    int blinkLength;
    unsigned int eventCount;
    int* eventHours;
    int* eventMinutes;
    int leftPos;
    int topPos;
    char aboutText[1024];
    char skinName[1024];
    bool trayIconShown;
    bool alwaysOnTop;
    aStringList* eventTexts;
    aBitmap* mainBitmap;
    aBitmap* blinkBitmap;
    HBITMAP mainImage;
    HBITMAP blinkImage;
    int dragX;
    int dragY;
    PROCESS_INFORMATION editorProcess;
};
