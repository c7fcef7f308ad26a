// Construction, start-up order and the main loop.
#include "app/d3d_app.h"

#include <string.h>

D3DApp *g_app = NULL;

D3DApp::D3DApp()
{
    static const char name[] = "Quenzibar";

    // Window messages can arrive as soon as the window is being created, so
    // routing must be in place before anything else.
    g_app = this;
    memcpy(appName, name, sizeof name);
    hInstance = NULL;
    hWnd = NULL;
    windowStyle = WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    width = 800;
    height = 600;
    showCursor = TRUE;
    windowed = TRUE;
    // d3dpp is filled in full by device creation before anything reads it.
    d3d = NULL;
    d3dDevice = NULL;
}

int D3DApp::Init(HINSTANCE instance)
{
    hInstance = instance;
    CreateMainWindow();
    // A failed window creation is not checked here: device creation then
    // fails on the null window and that failure ends start-up.
    if (CreateDevice() < 0)
        return -1;
    ShowMainWindow();
    return 0;
}

int D3DApp::Run()
{
    MSG msg;
    ZeroMemory(&msg, sizeof msg);

    // Messages always go first; a frame is drawn only when the queue is empty.
    // There is no pacing of our own: Present's presentation interval is the
    // only wait.
    while (msg.message != WM_QUIT) {
        if (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else {
            Render();
        }
    }

    RemoveWindowClass();
    return 0;
}
