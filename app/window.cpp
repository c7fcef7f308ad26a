// The main window: class, centred creation, presentation, and its messages.
#include "app/d3d_app.h"

void D3DApp::CreateMainWindow()
{
    WNDCLASSA wc;
    wc.style = CS_CLASSDC;
    wc.lpfnWndProc = WndProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = 0;
    wc.hInstance = hInstance;
    wc.hIcon = NULL;
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszMenuName = NULL;
    wc.lpszClassName = appName;
    RegisterClassA(&wc);

    // Grow the wanted client area to the outer frame, so that the client
    // area matches the back buffers exactly.
    RECT rc;
    SetRect(&rc, 0, 0, width, height);
    AdjustWindowRect(&rc, windowStyle, FALSE);

    const int cx = GetSystemMetrics(SM_CXSCREEN);
    const int cy = GetSystemMetrics(SM_CYSCREEN);
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;

    // The outer frame is centred. On a screen smaller than the frame the
    // position goes negative; division truncates toward zero either way.
    hWnd = CreateWindowExA(0, appName, appName, windowStyle, (cx - w) / 2, (cy - h) / 2, w, h,
                           NULL, // no parent
                           NULL, // no menu
                           hInstance,
                           NULL); // no creation parameter
}

void D3DApp::ShowMainWindow()
{
    ShowWindow(hWnd, SW_SHOW);
    UpdateWindow(hWnd);
    ShowCursor(showCursor);
}

void D3DApp::RemoveWindowClass()
{
    // After Escape the window still exists and this fails; the process is
    // ending anyway.
    UnregisterClassA(appName, hInstance);
}

LRESULT D3DApp::MsgProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        Cleanup();
        PostQuitMessage(0);
        return 0;

    case WM_KEYDOWN:
        // Escape ends the program without destroying the window: the
        // destroy handling runs synchronously inside SendMessageA and
        // posts the quit. Every other key is swallowed.
        if (wParam == VK_ESCAPE)
            SendMessageA(hWnd, WM_DESTROY, 0, 0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return g_app->MsgProc(hWnd, message, wParam, lParam);
}
