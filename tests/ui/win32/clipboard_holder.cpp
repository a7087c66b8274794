// Another program that holds the clipboard, for the copy tests:
//   clipboard_holder OPENED_EVENT RELEASE_EVENT
// opens the clipboard, signals the named event OPENED_EVENT, and closes it
// once RELEASE_EVENT is signalled (after 20 s at the latest).
#include <windows.h>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    HANDLE opened = OpenEventA(EVENT_MODIFY_STATE, FALSE, argv[1]);
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, argv[2]);
    if (!opened || !release) return 2;
    if (!OpenClipboard(nullptr)) return 1;
    SetEvent(opened);
    WaitForSingleObject(release, 20000);
    CloseClipboard();
    return 0;
}
