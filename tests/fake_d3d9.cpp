// The fake's objects use the C form of the interfaces, so that only the
// handful of methods the program may call need an implementation; any other
// slot is null and crashes the test loudly if called.
#define CINTERFACE
#include "fake_d3d9.h"

#include <gtest/gtest.h>

namespace {

FakeD3D9 g_fake;

IDirect3D9 g_d3d;
IDirect3DDevice9 g_device;

// IUnknown, the same for both objects.

LONG &Refs(IDirect3D9 *)
{
    return g_fake.d3dRefs;
}
LONG &Refs(IDirect3DDevice9 *)
{
    return g_fake.deviceRefs;
}
const char *Name(IDirect3D9 *)
{
    return "d3d";
}
const char *Name(IDirect3DDevice9 *)
{
    return "device";
}

template <class Interface>
HRESULT WINAPI QueryInterface(Interface *, REFIID, void **out)
{
    *out = nullptr;
    return E_NOINTERFACE;
}

template <class Interface>
ULONG WINAPI AddRef(Interface *self)
{
    g_fake.calls.push_back(std::string("AddRef(") + Name(self) + ")");
    return ++Refs(self);
}

template <class Interface>
ULONG WINAPI Release(Interface *self)
{
    g_fake.calls.push_back(std::string("Release(") + Name(self) + ")");
    LONG &refs = Refs(self);
    if (refs <= 0) {
        g_fake.overReleased = true;
        return 0;
    }
    return --refs;
}

// IDirect3D9

HRESULT WINAPI D3DGetAdapterDisplayMode(IDirect3D9 *, UINT adapter, D3DDISPLAYMODE *mode)
{
    g_fake.calls.push_back("GetAdapterDisplayMode(" + std::to_string(adapter) + ")");
    if (FAILED(g_fake.displayModeResult))
        return g_fake.displayModeResult;
    mode->Width = 1280;
    mode->Height = 1024;
    mode->RefreshRate = 60;
    mode->Format = g_fake.displayFormat;
    return g_fake.displayModeResult;
}

HRESULT WINAPI D3DCreateDevice(IDirect3D9 *, UINT adapter, D3DDEVTYPE type, HWND focus,
                               DWORD behavior, D3DPRESENT_PARAMETERS *params,
                               IDirect3DDevice9 **device)
{
    const char *name = behavior == D3DCREATE_MIXED_VERTEXPROCESSING      ? "mixed"
                       : behavior == D3DCREATE_SOFTWARE_VERTEXPROCESSING ? "software"
                                                                         : "other";
    g_fake.calls.push_back(std::string("CreateDevice(") + name + ")");
    g_fake.createDevice.push_back({adapter, type, focus, behavior, *params});

    HRESULT hr = D3DERR_INVALIDCALL;
    if (behavior == D3DCREATE_MIXED_VERTEXPROCESSING)
        hr = g_fake.mixedResult;
    else if (behavior == D3DCREATE_SOFTWARE_VERTEXPROCESSING)
        hr = g_fake.softwareResult;
    // As the real runtime: a windowed device needs a window.
    if (!focus && !params->hDeviceWindow)
        hr = D3DERR_INVALIDCALL;

    if (FAILED(hr)) {
        *device = nullptr;
        return hr;
    }
    if (g_fake.deviceRefs > 0)
        ADD_FAILURE() << "a second device was created while the first is alive";
    g_fake.deviceRefs = 1;
    *device = &g_device;
    return hr;
}

// IDirect3DDevice9

HRESULT WINAPI DeviceClear(IDirect3DDevice9 *, DWORD count, const D3DRECT *rects, DWORD flags,
                           D3DCOLOR color, float z, DWORD stencil)
{
    g_fake.calls.push_back("Clear");
    g_fake.clear.push_back({count, rects, flags, color, z, stencil});
    return D3D_OK;
}

HRESULT WINAPI DeviceBeginScene(IDirect3DDevice9 *)
{
    g_fake.calls.push_back("BeginScene");
    return g_fake.beginSceneResult;
}

HRESULT WINAPI DeviceEndScene(IDirect3DDevice9 *)
{
    g_fake.calls.push_back("EndScene");
    return D3D_OK;
}

// The signature is the interface's: a window handle cannot point to const.
// cppcheck-suppress constParameter
HRESULT WINAPI DevicePresent(IDirect3DDevice9 *, const RECT *src, const RECT *dst, HWND window,
                             const RGNDATA *dirty)
{
    g_fake.calls.push_back("Present");
    if (src || dst || window || dirty)
        g_fake.presentArgsAllNull = false;
    if (g_fake.onPresent)
        g_fake.onPresent();
    return g_fake.presentResult;
}

IDirect3D9Vtbl MakeD3DVtbl()
{
    IDirect3D9Vtbl v = {};
    v.QueryInterface = QueryInterface<IDirect3D9>;
    v.AddRef = AddRef<IDirect3D9>;
    v.Release = Release<IDirect3D9>;
    v.GetAdapterDisplayMode = D3DGetAdapterDisplayMode;
    v.CreateDevice = D3DCreateDevice;
    return v;
}

IDirect3DDevice9Vtbl MakeDeviceVtbl()
{
    IDirect3DDevice9Vtbl v = {};
    v.QueryInterface = QueryInterface<IDirect3DDevice9>;
    v.AddRef = AddRef<IDirect3DDevice9>;
    v.Release = Release<IDirect3DDevice9>;
    v.Clear = DeviceClear;
    v.BeginScene = DeviceBeginScene;
    v.EndScene = DeviceEndScene;
    v.Present = DevicePresent;
    return v;
}

IDirect3D9Vtbl g_d3dVtbl = MakeD3DVtbl();
IDirect3DDevice9Vtbl g_deviceVtbl = MakeDeviceVtbl();

} // namespace

FakeD3D9 &Fake()
{
    return g_fake;
}

void ResetFakeD3D9()
{
    g_fake = FakeD3D9();
    g_d3d.lpVtbl = &g_d3dVtbl;
    g_device.lpVtbl = &g_deviceVtbl;
    g_fake.d3d = &g_d3d;
    g_fake.device = &g_device;
}

IDirect3D9 *WINAPI Direct3DCreate9(UINT sdk_version)
{
    g_fake.calls.push_back("Direct3DCreate9(" + std::to_string(sdk_version) + ")");
    if (g_fake.createReturnsNull)
        return nullptr;
    if (g_fake.d3dRefs > 0)
        ADD_FAILURE() << "a second Direct3D object was created while the first is alive";
    g_fake.d3dRefs = 1;
    return &g_d3d;
}
