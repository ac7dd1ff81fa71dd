// The clock's entry: the application, its hidden window and the clock window, then the message loop.
#include "../resources/resource.h"
#include "../toolkit/aAppWindow.h"
#include "../toolkit/aApplication.h"
#include "../toolkit/loadText.h"
#include "aMainWindow.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    // The title is read before the application exists: a null instance reads this executable's table.
    aApplication* application = new aApplication(instance, loadText(textProductName));
    aAppWindow* appWindow = new aAppWindow(instance, loadText(textProductName));
    application->addWindow(appWindow);
    aMainWindow* clock = new aMainWindow(instance, loadText(textProductName));
    application->addWindow(clock);

    // The clock is always shown, whatever show command the program was started with.
    appWindow->show(SW_HIDE);
    clock->show(SW_SHOW);
    clock->setMain();
    application->run();

    delete application;
    return 0;
}
