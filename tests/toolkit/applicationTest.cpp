// The application object's loop and deletion order, and the string table reader.
#include "aApplication.h"
#include "loadText.h"
#include "recordingWindow.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

TEST(loadTextTest, everyTextOfTheTableIsCarried) {
    const struct {
        int id;
        const char* text;
    } table[] = {
        {2000, "Bellwick"},
        {2001, "Alarm Event"},
        {2003, "About..."},
        {2004, "Program is running for first time."},
        {2005, "There's no skin files.\nRevert to default skin."},
        {2006, "Error occured"},
        {2010, "Hide/Show"},
        {2011, "Alarm\tF5"},
        {2012, "About..."},
        {2013, "Quit\tCtrl+X"},
        {2014, "Refresh\tCtrl+R"},
        {2015, "Help\tF1"},
        {2016, "Settings\tCtrl+O"},
        {2017, "Always on top"},
        {2018, "Skin"},
        {2100, "Program was successfully uninstalled."},
        {2101, "Uninstall complete"},
        {3000, "&Add event\tIns"},
        {3001, "&Change event\tEnter"},
        {3002, "&Delete event\tDel"},
        {3100, "HH:MM event:"},
        {3101, "&Ok"},
        {3102, "&Cancel"},
        {3103, "00:00 Event"},
        {3104, "Command:"},
        {3105, "Browse..."},
        {3200, "Do you realy want to delete event:\n%s?"},
        {3201, "Settings"},
        {3202, "Event property"},
        {3204, "Bellwick setup"},
    };
    for (const auto& row : table) EXPECT_STREQ(row.text, loadText(row.id)) << "string " << row.id;
}

TEST(loadTextTest, aboutTextHasFourLinesStartingWithProductAndVersion) {
    std::string about = loadText(textAbout);
    EXPECT_EQ(0u, about.find("Bellwick.\nVersion beta 2.\n"));
    EXPECT_EQ(3, std::count(about.begin(), about.end(), '\n'));
}

TEST(loadTextTest, readsTheProgramsOwnTableBeforeAnyApplicationExists) {
    ASSERT_EQ(nullptr, appInstance);
    EXPECT_STREQ("Bellwick", loadText(textProductName));
}

TEST(loadTextTest, returnsOneSharedBufferThatTheNextCallOverwrites) {
    char* first = loadText(textProductName);
    char* second = loadText(textAlarmCaption);
    EXPECT_EQ(first, second);
    EXPECT_EQ(textBuffer, first);
    EXPECT_STREQ("Alarm Event", first);
}

TEST(loadTextTest, cutsALongTextTo255Characters) {
    std::string text = loadText(9000);
    EXPECT_EQ(255u, text.size());
    EXPECT_EQ(std::string("0123456789"), text.substr(0, 10));
    EXPECT_EQ(std::string("01234"), text.substr(250));
}

TEST(applicationTest, constructorRecordsTheInstanceForTheToolkit) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    std::unique_ptr<aApplication> application(new aApplication(instance, "title"));
    EXPECT_EQ(instance, appInstance);
}

TEST(applicationTest, runWithoutWindowsReturnsAtOnceReadingNoMessage) {
    std::unique_ptr<aApplication> application(new aApplication(GetModuleHandleA(nullptr), "empty"));
    PostThreadMessageA(GetCurrentThreadId(), WM_USER + 5, 0, 0);
    application->run();
    MSG message;
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_USER + 5, WM_USER + 5, PM_REMOVE));
}

TEST(applicationTest, runDispatchesUntilQuitAndLeavesLaterMessagesQueued) {
    std::unique_ptr<aApplication> application(new aApplication(GetModuleHandleA(nullptr), "loop"));
    recordingWindow* window = new recordingWindow();
    application->addWindow(window);
    PostMessageA(window->getHandle(), WM_TIMER, 7, 0);
    PostMessageA(window->getHandle(), WM_KEYDOWN, 'A', 0);
    PostMessageA(window->getHandle(), WM_QUIT, 0, 0);
    PostMessageA(window->getHandle(), WM_TIMER, 8, 0);
    application->run();
    ASSERT_GE(window->calls.size(), 2u);
    EXPECT_EQ("onTimer(7)", window->calls[0]);
    EXPECT_EQ("onKeyDown(65)", window->calls[1]);
    for (const std::string& call : window->calls) EXPECT_NE("onTimer(8)", call);
}

TEST(applicationTest, deletesItsWindowsInTheOrderOfAdditionSkippingNullEntries) {
    std::vector<std::string> log;
    aApplication* application = new aApplication(GetModuleHandleA(nullptr), "owner");
    const char* titles[] = {"first", "second", "third"};
    for (const char* title : titles) {
        recordingWindow* window = new recordingWindow(title);
        window->destructionLog = &log;
        application->addWindow(window);
        if (title == titles[0]) application->addWindow(nullptr);
    }
    delete application;
    EXPECT_EQ((std::vector<std::string>{"first", "second", "third"}), log);
}
