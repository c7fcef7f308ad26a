// The Direct3D 9 device: creation, the per-frame clear and present, release.
#include "app/d3d_app.h"

namespace {

const D3DCOLOR kClearColor = D3DCOLOR_ARGB(0xFF, 0x00, 0x78, 0xA0); // opaque teal
const float kClearDepth = 1.0f;                                     // the far plane
const DWORD kClearStencil = 0; // passed, but not cleared: D16 has no stencil

} // namespace

int D3DApp::CreateDevice()
{
    d3d = Direct3DCreate9(D3D_SDK_VERSION);
    if (!d3d)
        return -1;

    D3DDISPLAYMODE d3ddm;
    if (FAILED(d3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &d3ddm))) {
        // Start-up ends here: give the Direct3D object back rather than
        // leave its reference behind.
        Cleanup();
        return -1;
    }

    // Windowed: the back buffers take the desktop's current format.
    ZeroMemory(&d3dpp, sizeof d3dpp);
    d3dpp.Windowed = windowed;
    d3dpp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    d3dpp.BackBufferFormat = d3ddm.Format;
    d3dpp.BackBufferCount = 2;
    d3dpp.BackBufferWidth = width;
    d3dpp.BackBufferHeight = height;
    d3dpp.EnableAutoDepthStencil = TRUE;
    d3dpp.AutoDepthStencilFormat = D3DFMT_D16;

    // Mixed vertex processing where the adapter allows it, software where
    // it does not (no hardware transform and lighting).
    static const DWORD vertexProcessing[] = {D3DCREATE_MIXED_VERTEXPROCESSING,
                                             D3DCREATE_SOFTWARE_VERTEXPROCESSING};
    for (DWORD behavior : vertexProcessing) {
        if (SUCCEEDED(d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL,
                                        hWnd, // focus window; also the device window
                                        behavior, &d3dpp, &d3dDevice)))
            return 0;
    }

    Cleanup();
    return -1;
}

int D3DApp::Render()
{
    if (!d3dDevice)
        return -1;

    d3dDevice->Clear(0, NULL, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kClearColor, kClearDepth,
                     kClearStencil);
    if (FAILED(d3dDevice->BeginScene()))
        return -1;
    d3dDevice->EndScene();

    // A lost device is not recovered: the failure goes back to the loop,
    // which tries again on the next idle pass.
    return d3dDevice->Present(NULL, NULL, NULL, NULL);
}

void D3DApp::Cleanup()
{
    // Reverse order of creation; safe to run more than once.
    if (d3dDevice) {
        d3dDevice->Release();
        d3dDevice = NULL;
    }
    if (d3d) {
        d3d->Release();
        d3d = NULL;
    }
}
