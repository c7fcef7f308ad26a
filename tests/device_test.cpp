// Device creation, the frame and release, against the fake runtime.
#include "app_fixture.h"

#include <string.h>

namespace {

typedef std::vector<std::string> Calls;

const D3DFORMAT kDesktopFormat = D3DFMT_R5G6B5; // anything but the fake's default

D3DPRESENT_PARAMETERS ExpectedParams()
{
    D3DPRESENT_PARAMETERS pp;
    memset(&pp, 0, sizeof pp);
    pp.BackBufferWidth = 800;
    pp.BackBufferHeight = 600;
    pp.BackBufferFormat = kDesktopFormat;
    pp.BackBufferCount = 2;
    pp.SwapEffect = D3DSWAPEFFECT_DISCARD;
    pp.Windowed = TRUE;
    pp.EnableAutoDepthStencil = TRUE;
    pp.AutoDepthStencilFormat = D3DFMT_D16;
    return pp;
}

struct CreationCase
{
    const char *name;
    bool createReturnsNull;
    HRESULT displayMode;
    HRESULT mixed;
    HRESULT software;
    DWORD windowStyle; // 0 keeps the default
    int expectedInit;
    DWORD expectedBehavior; // of the device in use; 0 when none is held
    Calls expectedCalls;
};

void PrintTo(const CreationCase &c, std::ostream *os)
{
    *os << c.name;
}

const Calls kCreated = {"Direct3DCreate9(32)", "GetAdapterDisplayMode(0)"};

Calls Then(Calls calls, const Calls &more)
{
    calls.insert(calls.end(), more.begin(), more.end());
    return calls;
}

const CreationCase kCreationCases[] = {
    {"mixed vertex processing", false, D3D_OK, D3D_OK, D3D_OK, 0, 0,
     D3DCREATE_MIXED_VERTEXPROCESSING, Then(kCreated, {"CreateDevice(mixed)"})},
    {"software fallback", false, D3D_OK, D3DERR_NOTAVAILABLE, D3D_OK, 0, 0,
     D3DCREATE_SOFTWARE_VERTEXPROCESSING,
     Then(kCreated, {"CreateDevice(mixed)", "CreateDevice(software)"})},
    {"no device at all", false, D3D_OK, D3DERR_NOTAVAILABLE, D3DERR_INVALIDCALL, 0, -1, 0,
     Then(kCreated, {"CreateDevice(mixed)", "CreateDevice(software)", "Release(d3d)"})},
    {"no runtime", true, D3D_OK, D3D_OK, D3D_OK, 0, -1, 0, {"Direct3DCreate9(32)"}},
    {"no display mode", false, D3DERR_INVALIDCALL, D3D_OK, D3D_OK, 0, -1, 0,
     Then(kCreated, {"Release(d3d)"})},
    // A child style without a parent makes window creation fail: the null
    // window still goes to CreateDevice, which turns it down.
    {"no window", false, D3D_OK, D3D_OK, D3D_OK, WS_CHILD, -1, 0,
     Then(kCreated, {"CreateDevice(mixed)", "CreateDevice(software)", "Release(d3d)"})},
};

class DeviceCreation : public AppTest, public ::testing::WithParamInterface<CreationCase>
{};

TEST_P(DeviceCreation, HoldsTheRightDeviceOrNothing)
{
    const CreationCase &c = GetParam();
    FakeD3D9 &fake = Fake();
    fake.createReturnsNull = c.createReturnsNull;
    fake.displayModeResult = c.displayMode;
    fake.displayFormat = kDesktopFormat;
    fake.mixedResult = c.mixed;
    fake.softwareResult = c.software;
    if (c.windowStyle)
        app.windowStyle = c.windowStyle;
    memset(&app.d3dpp, 0xCD, sizeof app.d3dpp); // must be cleared, not patched

    const int cursorBefore = CursorCount();
    EXPECT_EQ(c.expectedInit, InitApp());
    EXPECT_EQ(c.expectedCalls, fake.calls);

    // Only a successful start-up ends with the cursor call.
    EXPECT_EQ(cursorBefore + (c.expectedInit == 0 ? 1 : 0), CursorCount());

    if (c.expectedBehavior) {
        EXPECT_EQ(fake.d3d, app.d3d);
        EXPECT_EQ(fake.device, app.d3dDevice);
        ASSERT_FALSE(fake.createDevice.empty());
        EXPECT_EQ(c.expectedBehavior, fake.createDevice.back().behavior);
        EXPECT_EQ(1, fake.d3dRefs);
        EXPECT_EQ(1, fake.deviceRefs);
    } else {
        // What was held is given back at once, not left to a later Cleanup.
        EXPECT_EQ(nullptr, app.d3d);
        EXPECT_EQ(nullptr, app.d3dDevice);
        EXPECT_EQ(0, fake.d3dRefs);
        EXPECT_EQ(0, fake.deviceRefs);
    }

    for (const FakeCreateDevice &call : fake.createDevice) {
        EXPECT_EQ(D3DADAPTER_DEFAULT, call.adapter);
        EXPECT_EQ(D3DDEVTYPE_HAL, call.type);
        EXPECT_EQ(app.hWnd, call.focus);
        EXPECT_EQ(ExpectedParams(), call.params);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, DeviceCreation, ::testing::ValuesIn(kCreationCases), CaseName());

struct RenderCase
{
    const char *name;
    bool cleanedUp;
    HRESULT beginScene;
    HRESULT present;
    int expected;
    Calls expectedCalls;
};

void PrintTo(const RenderCase &c, std::ostream *os)
{
    *os << c.name;
}

const Calls kFrame = {"Clear", "BeginScene", "EndScene", "Present"};

const RenderCase kRenderCases[] = {
    {"frame", false, D3D_OK, D3D_OK, D3D_OK, kFrame},
    {"lost device", false, D3D_OK, D3DERR_DEVICELOST, D3DERR_DEVICELOST, kFrame},
    {"scene cannot begin", false, D3DERR_INVALIDCALL, D3D_OK, -1, {"Clear", "BeginScene"}},
    {"after cleanup", true, D3D_OK, D3D_OK, -1, {}},
};

class Render : public AppTest, public ::testing::WithParamInterface<RenderCase>
{};

TEST_P(Render, ClearsBeginsEndsPresents)
{
    const RenderCase &c = GetParam();
    ASSERT_EQ(0, InitApp());
    if (c.cleanedUp)
        app.Cleanup();
    FakeD3D9 &fake = Fake();
    fake.calls.clear();
    fake.beginSceneResult = c.beginScene;
    fake.presentResult = c.present;

    EXPECT_EQ(c.expected, app.Render());
    EXPECT_EQ(c.expectedCalls, fake.calls);

    for (const FakeClear &clear : fake.clear) {
        EXPECT_EQ(0u, clear.count);
        EXPECT_EQ(nullptr, clear.rects);
        EXPECT_EQ(static_cast<DWORD>(D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER), clear.flags);
        EXPECT_EQ(0xFF0078A0u, clear.color);
        EXPECT_EQ(1.0f, clear.z);
        EXPECT_EQ(0u, clear.stencil);
    }
    EXPECT_TRUE(fake.presentArgsAllNull);
}

INSTANTIATE_TEST_SUITE_P(Cases, Render, ::testing::ValuesIn(kRenderCases), CaseName());

using Cleanup = AppTest;

TEST_F(Cleanup, ReleasesDeviceThenDirect3DOnceEach)
{
    ASSERT_EQ(0, InitApp());
    FakeD3D9 &fake = Fake();
    fake.calls.clear();

    app.Cleanup();
    app.Cleanup();

    EXPECT_EQ(Calls({"Release(device)", "Release(d3d)"}), fake.calls);
    EXPECT_EQ(nullptr, app.d3dDevice);
    EXPECT_EQ(nullptr, app.d3d);
    EXPECT_EQ(0, fake.deviceRefs);
    EXPECT_EQ(0, fake.d3dRefs);
}

} // namespace
