// The application object: the program's whole state, from its built-in
// settings to the window and the Direct3D 9 interfaces it holds.
#ifndef QUENZIBAR_APP_D3D_APP_H
#define QUENZIBAR_APP_D3D_APP_H

#include <windows.h>
#include <d3d9.h>

class D3DApp
{
public:
    D3DApp();

    int Init(HINSTANCE hInstance);
    int Run();
    int Render();
    void Cleanup();
    LRESULT MsgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    // Settings, handles and interfaces are plain fields so that a caller
    // (or a test) can adjust a setting between construction and Init.
    char appName[128];
    HINSTANCE hInstance;
    HWND hWnd;
    DWORD windowStyle;
    int width;
    int height;
    BOOL showCursor;
    BOOL windowed;
    D3DPRESENT_PARAMETERS d3dpp;
    IDirect3D9 *d3d;
    IDirect3DDevice9 *d3dDevice;

private:
    // Window steps (app/window.cpp).
    void CreateMainWindow();
    void ShowMainWindow();
    void RemoveWindowClass();

    // Device step (graphics/device.cpp): 0 on success, -1 on failure.
    int CreateDevice();
};

// Routes window messages to the one application object; set by its constructor.
extern D3DApp *g_app;

LRESULT CALLBACK WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

#endif
