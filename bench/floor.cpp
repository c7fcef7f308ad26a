// The floor for the benchmark: the least code that makes the program's
// Win32 and Direct3D 9 calls (same window, device, clear and loop), with no
// application object, no fallback and no release. Quenzibar is measured
// against it.
#include <windows.h>
#include <d3d9.h>

static IDirect3DDevice9 *device;

static LRESULT CALLBACK FloorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY || (message == WM_KEYDOWN && wParam == VK_ESCAPE)) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*prev*/, LPSTR /*cmdLine*/, int /*show*/)
{
    WNDCLASSA wc = {CS_CLASSDC,
                    FloorProc,
                    0,
                    0,
                    instance,
                    NULL,
                    LoadCursorA(NULL, IDC_ARROW),
                    static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)),
                    NULL,
                    "Floor"};
    RegisterClassA(&wc);
    const DWORD style = WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    RECT rc = {0, 0, 800, 600};
    AdjustWindowRect(&rc, style, FALSE);
    const int w = rc.right - rc.left;
    const int h = rc.bottom - rc.top;
    HWND hwnd =
        CreateWindowExA(0, "Floor", "Floor", style, (GetSystemMetrics(SM_CXSCREEN) - w) / 2,
                        (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h, NULL, NULL, instance, NULL);

    IDirect3D9 *d3d = Direct3DCreate9(D3D_SDK_VERSION);
    if (!d3d)
        return -1;
    D3DDISPLAYMODE mode;
    d3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode);
    D3DPRESENT_PARAMETERS pp = {};
    pp.BackBufferWidth = 800;
    pp.BackBufferHeight = 600;
    pp.BackBufferFormat = mode.Format;
    pp.BackBufferCount = 2;
    pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    pp.Windowed = TRUE;
    pp.EnableAutoDepthStencil = TRUE;
    pp.AutoDepthStencilFormat = D3DFMT_D16;
    if (FAILED(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, hwnd,
                                 D3DCREATE_MIXED_VERTEXPROCESSING, &pp, &device)))
        return -1;
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);

    MSG msg = {};
    while (msg.message != WM_QUIT) {
        if (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else {
            device->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF0078A0, 1.0f, 0);
            device->BeginScene();
            device->EndScene();
            device->Present(NULL, NULL, NULL, NULL);
        }
    }
    return 0;
}
