// The settings editor of the clock: edits the alarm events in the current user's registry.
#include "aApplication.h"
#include "aEditorWindow.h"
#include "loadText.h"
#include "resource.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    aApplication* application = new aApplication(instance, loadText(textEditorCaption));
    aEditorWindow* editor = new aEditorWindow(instance);
    application->addWindow(editor);
    editor->setMain();
    editor->show(SW_SHOW);
    application->run();
    delete application;
    return 0;
}
