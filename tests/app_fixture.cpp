#include "app_fixture.h"

#include <ctype.h>
#include <string.h>

#include <sstream>

std::vector<MSG> DrainQueue()
{
    std::vector<MSG> drained;
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        drained.push_back(msg);
    return drained;
}

int CursorCount()
{
    const int count = ShowCursor(FALSE) + 1;
    ShowCursor(TRUE);
    return count;
}

void AppTest::SetUp()
{
    ResetFakeD3D9();
    ASSERT_TRUE(DrainQueue().empty()) << "an earlier test left messages behind";
}

void AppTest::TearDown()
{
    // Destroying the window runs the program's own WM_DESTROY handling,
    // which also posts a quit for DrainQueue to take away.
    if (app.hWnd && IsWindow(app.hWnd))
        DestroyWindow(app.hWnd);
    app.Cleanup();
    DrainQueue();
    UnregisterClassA(app.appName, GetModuleHandleA(NULL));

    EXPECT_FALSE(Fake().overReleased) << "a reference was released twice";
    EXPECT_EQ(0, Fake().d3dRefs) << "Direct3D object leaked";
    EXPECT_EQ(0, Fake().deviceRefs) << "device leaked";
}

int AppTest::InitApp()
{
    return app.Init(GetModuleHandleA(NULL));
}

namespace {

const char kRecorderClass[] = "QuenzibarTestRecorder";

LRESULT CALLBACK RecorderProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Recorder *self = reinterpret_cast<Recorder *>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self) {
        const std::string description = Describe(message, wParam, lParam);
        if (!description.empty())
            self->sent.push_back(description);
        if (self->onMessage)
            self->onMessage(*self, message, wParam);
        if (message == WM_DESTROY)
            return WndProc(hwnd, message, wParam, lParam);
        // Recorded only: default processing would open menus or close the window.
        if (message == WM_SYSCOMMAND)
            return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

} // namespace

Recorder::Recorder()
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RecorderProc;
    wc.hInstance = GetModuleHandleA(NULL);
    wc.lpszClassName = kRecorderClass;
    RegisterClassA(&wc);
    hwnd = CreateWindowExA(0, kRecorderClass, "recorder", WS_POPUP, 0, 0, 10, 10, NULL, NULL,
                           wc.hInstance, NULL);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Recorder::~Recorder()
{
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    DestroyWindow(hwnd);
    UnregisterClassA(kRecorderClass, GetModuleHandleA(NULL));
}

std::string CaseName::Identifier(const char *text)
{
    std::string name = text;
    for (char &ch : name)
        if (!isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
}

static const char *MessageName(UINT message)
{
    switch (message) {
    case WM_DESTROY:
        return "WM_DESTROY";
    case WM_KEYDOWN:
        return "WM_KEYDOWN";
    case WM_KEYUP:
        return "WM_KEYUP";
    case WM_SYSKEYDOWN:
        return "WM_SYSKEYDOWN";
    case WM_SYSCOMMAND:
        return "WM_SYSCOMMAND";
    case WM_CLOSE:
        return "WM_CLOSE";
    case WM_QUIT:
        return "WM_QUIT";
    }
    return nullptr;
}

std::string Describe(UINT message, WPARAM wParam, LPARAM lParam)
{
    std::ostringstream os;
    os << std::hex;
    if (const char *name = MessageName(message))
        os << name;
    else if (message >= WM_APP && message < 0xC000)
        os << "WM_APP+" << (message - WM_APP);
    else
        return "";
    os << "(" << wParam << "," << lParam << ")";
    return os.str();
}

void PrintTo(const D3DPRESENT_PARAMETERS &pp, std::ostream *os)
{
    *os << "{BackBufferWidth=" << pp.BackBufferWidth << " BackBufferHeight=" << pp.BackBufferHeight
        << " BackBufferFormat=" << pp.BackBufferFormat << " BackBufferCount=" << pp.BackBufferCount
        << " MultiSampleType=" << pp.MultiSampleType
        << " MultiSampleQuality=" << pp.MultiSampleQuality << " SwapEffect=" << pp.SwapEffect
        << " hDeviceWindow=" << pp.hDeviceWindow << " Windowed=" << pp.Windowed
        << " EnableAutoDepthStencil=" << pp.EnableAutoDepthStencil
        << " AutoDepthStencilFormat=" << pp.AutoDepthStencilFormat << " Flags=" << pp.Flags
        << " FullScreen_RefreshRateInHz=" << pp.FullScreen_RefreshRateInHz
        << " PresentationInterval=" << pp.PresentationInterval << "}";
}

bool operator==(const D3DPRESENT_PARAMETERS &a, const D3DPRESENT_PARAMETERS &b)
{
    // Every field is 32 bits wide, so the record has no padding.
    return memcmp(&a, &b, sizeof a) == 0;
}
