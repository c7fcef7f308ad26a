// Process entry point: kept apart so that the tests can link everything else.
#include "app/d3d_app.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE /*hPrevInstance*/, LPSTR /*lpCmdLine*/,
                   int /*nShowCmd*/)
{
    D3DApp d3dApp;
    if (d3dApp.Init(hInstance) < 0)
        return -1;
    return d3dApp.Run();
}
