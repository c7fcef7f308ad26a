// A stand-in for the Direct3D 9 runtime, linked into the unit tests in place
// of d3d9.dll: the test binary defines Direct3DCreate9 itself, and the
// objects it hands out do what the test asks and record what they are asked.
#ifndef QUENZIBAR_TESTS_FAKE_D3D9_H
#define QUENZIBAR_TESTS_FAKE_D3D9_H

#include <windows.h>
#include <d3d9.h>

#include <functional>
#include <string>
#include <vector>

struct FakeCreateDevice
{
    UINT adapter;
    D3DDEVTYPE type;
    HWND focus;
    DWORD behavior;
    D3DPRESENT_PARAMETERS params;
};

struct FakeClear
{
    DWORD count;
    const D3DRECT *rects;
    DWORD flags;
    D3DCOLOR color;
    float z;
    DWORD stencil;
};

struct FakeD3D9
{
    // Behaviour.
    bool createReturnsNull = false;
    HRESULT displayModeResult = D3D_OK;
    D3DFORMAT displayFormat = D3DFMT_X8R8G8B8;
    HRESULT mixedResult = D3D_OK;    // CreateDevice with mixed vertex processing
    HRESULT softwareResult = D3D_OK; // CreateDevice with software vertex processing
    HRESULT beginSceneResult = D3D_OK;
    HRESULT presentResult = D3D_OK;
    std::function<void()> onPresent; // runs inside each Present

    // Observations. `calls` names each call in order, e.g. "CreateDevice(software)".
    std::vector<std::string> calls;
    std::vector<FakeCreateDevice> createDevice;
    std::vector<FakeClear> clear;
    bool presentArgsAllNull = true;
    LONG d3dRefs = 0;
    LONG deviceRefs = 0;
    bool overReleased = false;
    const void *d3d = nullptr;    // the objects handed out, for comparison
    const void *device = nullptr; // with the program's pointers
};

// The one fake runtime; ResetFakeD3D9 restores its defaults.
FakeD3D9 &Fake();
void ResetFakeD3D9();

#endif
