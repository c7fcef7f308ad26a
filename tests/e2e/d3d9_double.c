/* A replacement d3d9.dll for end-to-end tests. Placed beside the program and
 * loaded with WINEDLLOVERRIDES="d3d9=n,b", it makes the runtime fail in the
 * way D3D9_DOUBLE names, and otherwise passes every call to the system's
 * d3d9.dll:
 *   null         Direct3DCreate9 returns NULL
 *   fail-create  every CreateDevice fails
 *   fail-mixed   CreateDevice fails for mixed vertex processing only
 * Each CreateDevice is reported on stderr as
 * "d3d9 double: CreateDevice behavior=0x.. hr=0x..". */
#define COBJMACROS
#include <windows.h>
#include <d3d9.h>
#include <stdio.h>
#include <string.h>

typedef IDirect3D9 *(WINAPI *CreateFn)(UINT);

static char mode[32];
static IDirect3D9Vtbl patched;
static HRESULT(WINAPI *systemCreateDevice)(IDirect3D9 *, UINT, D3DDEVTYPE, HWND, DWORD,
                                           D3DPRESENT_PARAMETERS *, IDirect3DDevice9 **);

static HRESULT WINAPI CreateDevice(IDirect3D9 *self, UINT adapter, D3DDEVTYPE type, HWND focus,
                                   DWORD behavior, D3DPRESENT_PARAMETERS *params,
                                   IDirect3DDevice9 **device)
{
    HRESULT hr;
    if (!strcmp(mode, "fail-create") ||
        (!strcmp(mode, "fail-mixed") && (behavior & D3DCREATE_MIXED_VERTEXPROCESSING))) {
        *device = NULL;
        hr = D3DERR_NOTAVAILABLE;
    } else {
        hr = systemCreateDevice(self, adapter, type, focus, behavior, params, device);
    }
    fprintf(stderr, "d3d9 double: CreateDevice behavior=0x%lx hr=0x%lx\n", behavior,
            (unsigned long)hr);
    fflush(stderr);
    return hr;
}

__declspec(dllexport) IDirect3D9 *WINAPI Direct3DCreate9(UINT sdkVersion)
{
    char path[MAX_PATH];
    HMODULE system;
    CreateFn create;
    IDirect3D9 *d3d;

    if (!GetEnvironmentVariableA("D3D9_DOUBLE", mode, sizeof mode))
        mode[0] = 0;
    if (!strcmp(mode, "null"))
        return NULL;

    GetSystemDirectoryA(path, sizeof path);
    strcat(path, "\\d3d9.dll");
    system = LoadLibraryA(path);
    create = system ? (CreateFn)(void (*)(void))GetProcAddress(system, "Direct3DCreate9") : NULL;
    d3d = create ? create(sdkVersion) : NULL;
    if (!d3d) {
        if (system)
            FreeLibrary(system);
        return NULL;
    }

    /* The object's own vtable is read-only and shared; give this one object a
     * copy with CreateDevice replaced. */
    patched = *d3d->lpVtbl;
    systemCreateDevice = patched.CreateDevice;
    patched.CreateDevice = CreateDevice;
    d3d->lpVtbl = &patched;
    /* The system DLL stays loaded for as long as the process: its object is
     * in use. */
    // cppcheck-suppress resourceLeak
    return d3d;
}
