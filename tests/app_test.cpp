// The application shell on the real user32: settings, the window, the
// message handling and the main loop. Direct3D is the fake runtime.
#include "app_fixture.h"

#include <string.h>

namespace {

typedef std::vector<std::string> Calls;

using Settings = AppTest;

TEST_F(Settings, ConstructorSetsDefaultsAndRouting)
{
    EXPECT_EQ(&app, g_app);
    EXPECT_STREQ("Quenzibar", app.appName);
    EXPECT_EQ(nullptr, app.hInstance);
    EXPECT_EQ(nullptr, app.hWnd);
    EXPECT_EQ(0x10C80000u, app.windowStyle); // visible, caption, system menu
    EXPECT_EQ(800, app.width);
    EXPECT_EQ(600, app.height);
    EXPECT_EQ(TRUE, app.showCursor);
    EXPECT_EQ(TRUE, app.windowed);
    EXPECT_EQ(nullptr, app.d3d);
    EXPECT_EQ(nullptr, app.d3dDevice);
}

using Window = AppTest;

TEST_F(Window, HasTheProgramsClassTitleAndFixedFrame)
{
    ASSERT_EQ(0, InitApp());
    HWND hwnd = app.hWnd;
    ASSERT_TRUE(IsWindow(hwnd));

    char text[64];
    GetWindowTextA(hwnd, text, sizeof text);
    EXPECT_STREQ("Quenzibar", text);
    GetClassNameA(hwnd, text, sizeof text);
    EXPECT_STREQ("Quenzibar", text);

    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    EXPECT_EQ(static_cast<LONG>(WS_CAPTION | WS_SYSMENU | WS_VISIBLE),
              style & (WS_CAPTION | WS_SYSMENU | WS_VISIBLE));
    // No sizing border and no boxes that would change the client size.
    EXPECT_EQ(0, style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
    EXPECT_EQ(nullptr, GetMenu(hwnd));

    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(800, client.right);
    EXPECT_EQ(600, client.bottom);

    EXPECT_EQ(static_cast<ULONG_PTR>(CS_CLASSDC), GetClassLongPtrA(hwnd, GCL_STYLE));
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(GetStockObject(WHITE_BRUSH)),
              GetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND));
    EXPECT_EQ(reinterpret_cast<ULONG_PTR>(LoadCursorA(NULL, IDC_ARROW)),
              GetClassLongPtrA(hwnd, GCLP_HCURSOR));
    EXPECT_EQ(0u, GetClassLongPtrA(hwnd, GCLP_HICON));
}

// The screen minus the outer frame, per axis, and where the frame must land.
struct GeometryCase
{
    const char *name;
    int dx, dy;
    int expectedX, expectedY;
};

void PrintTo(const GeometryCase &c, std::ostream *os)
{
    *os << c.name;
}

const GeometryCase kGeometryCases[] = {
    {"even difference", 400, 300, 200, 150},
    {"odd difference truncates", 101, 101, 50, 50},
    {"frame larger than the screen", -5, -5, -2, -2}, // toward zero, not -3
};

class WindowGeometry : public AppTest, public ::testing::WithParamInterface<GeometryCase>
{};

TEST_P(WindowGeometry, ClientIsExactAndFrameIsCentred)
{
    const GeometryCase &c = GetParam();
    RECT border = {0, 0, 0, 0};
    AdjustWindowRect(&border, app.windowStyle, FALSE);
    const int borderW = border.right - border.left;
    const int borderH = border.bottom - border.top;
    app.width = GetSystemMetrics(SM_CXSCREEN) - c.dx - borderW;
    app.height = GetSystemMetrics(SM_CYSCREEN) - c.dy - borderH;

    ASSERT_EQ(0, InitApp());

    RECT frame, client;
    GetWindowRect(app.hWnd, &frame);
    GetClientRect(app.hWnd, &client);
    EXPECT_EQ(c.expectedX, frame.left);
    EXPECT_EQ(c.expectedY, frame.top);
    EXPECT_EQ(app.width + borderW, frame.right - frame.left);
    EXPECT_EQ(app.height + borderH, frame.bottom - frame.top);
    EXPECT_EQ(app.width, client.right);
    EXPECT_EQ(app.height, client.bottom);
    // The back buffers match the client area.
    ASSERT_FALSE(Fake().createDevice.empty());
    EXPECT_EQ(static_cast<UINT>(app.width), Fake().createDevice[0].params.BackBufferWidth);
    EXPECT_EQ(static_cast<UINT>(app.height), Fake().createDevice[0].params.BackBufferHeight);
}

INSTANTIATE_TEST_SUITE_P(Cases, WindowGeometry, ::testing::ValuesIn(kGeometryCases), CaseName());

// MsgProc, one or more messages in a row, observed from outside: what the
// window was sent, what was left in the queue, what the runtime was asked.
struct Input
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT expected;
};

struct MessageCase
{
    const char *name;
    std::vector<Input> inputs;
    Calls expectedSent;
    Calls expectedPosted;
    Calls expectedCalls;
};

void PrintTo(const MessageCase &c, std::ostream *os)
{
    *os << c.name;
}

const LPARAM kAltDown = 1 << 29; // context code: Alt held
const LPARAM kRepeat = 1 << 30;  // previous key state: down (auto-repeat)
const LPARAM kKeyUp = 3u << 30;  // transition and previous state
const char kRenamed[] = "renamed";
const Calls kReleases = {"Release(device)", "Release(d3d)"};

const MessageCase kMessageCases[] = {
    {"destroy releases and quits", {{WM_DESTROY, 0, 0, 0}}, {}, {"WM_QUIT(0,0)"}, kReleases},
    {"escape sends destroy to the window",
     {{WM_KEYDOWN, VK_ESCAPE, 1, 0}},
     {"WM_DESTROY(0,0)"},
     {"WM_QUIT(0,0)"},
     kReleases},
    {"repeated escape is harmless",
     {{WM_KEYDOWN, VK_ESCAPE, 1, 0}, {WM_KEYDOWN, VK_ESCAPE, 1 | kRepeat, 0}},
     {"WM_DESTROY(0,0)", "WM_DESTROY(0,0)"},
     {"WM_QUIT(0,0)"},
     kReleases},
    {"other keys are swallowed",
     {{WM_KEYDOWN, 'A', 1, 0}, {WM_KEYDOWN, VK_SPACE, 1, 0}},
     {},
     {},
     {}},
    // Default processing of an F10 press makes its release open the menu;
    // swallowing the press keeps the menu shut.
    {"swallowed F10 opens no menu",
     {{WM_KEYDOWN, VK_F10, 1, 0}, {WM_KEYUP, VK_F10, 1 | kKeyUp, 0}},
     {},
     {},
     {}},
    {"system F10 reaches default processing",
     {{WM_SYSKEYDOWN, VK_F10, 1, 0}, {WM_SYSKEYUP, VK_F10, 1 | kKeyUp, 0}},
     {"WM_SYSCOMMAND(f100,0)"},
     {},
     {}},
    {"alt F4 reaches default processing",
     {{WM_SYSKEYDOWN, VK_F4, 1 | kAltDown, 0}},
     {},
     {"WM_SYSCOMMAND(f060,0)"},
     {}},
    {"other messages reach default processing unchanged",
     {{WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kRenamed), TRUE},
      {WM_GETTEXTLENGTH, 0, 0, sizeof kRenamed - 1}},
     {},
     {},
     {}},
};

class MessageHandling : public AppTest, public ::testing::WithParamInterface<MessageCase>
{};

TEST_P(MessageHandling, ActsAndReturnsAsTheMessageAsks)
{
    const MessageCase &c = GetParam();
    Recorder window;
    // The runtime's objects as a started program holds them, on a window the
    // test can watch.
    app.d3d = Direct3DCreate9(D3D_SDK_VERSION);
    ASSERT_NE(nullptr, app.d3d);
    ASSERT_TRUE(SUCCEEDED(app.d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window.hwnd,
                                                D3DCREATE_MIXED_VERTEXPROCESSING, &app.d3dpp,
                                                &app.d3dDevice)));
    app.hWnd = window.hwnd;
    DrainQueue();
    Fake().calls.clear();

    for (size_t i = 0; i < c.inputs.size(); ++i) {
        const Input &in = c.inputs[i];
        EXPECT_EQ(in.expected, app.MsgProc(window.hwnd, in.message, in.wParam, in.lParam))
            << "input " << i << ": " << Describe(in.message, in.wParam, in.lParam);
    }

    Calls posted;
    for (const MSG &msg : DrainQueue()) {
        const std::string description = Describe(msg.message, msg.wParam, msg.lParam);
        if (!description.empty())
            posted.push_back(description);
    }
    EXPECT_EQ(c.expectedSent, window.sent);
    EXPECT_EQ(c.expectedPosted, posted);
    EXPECT_EQ(c.expectedCalls, Fake().calls);
    app.hWnd = NULL; // the recorder destroys its own window
}

INSTANTIATE_TEST_SUITE_P(Cases, MessageHandling, ::testing::ValuesIn(kMessageCases), CaseName());

// Run, from a started program to its end. Each case acts on one frame.
enum Action { kPressEscape, kClose, kQuit };

struct RunCase
{
    const char *name;
    HRESULT present;
    int actOnFrame;
    Action action;
    WPARAM quitCode;
    bool windowRemains; // Escape ends the program but leaves the window
    bool releases;
};

void PrintTo(const RunCase &c, std::ostream *os)
{
    *os << c.name;
}

const RunCase kRunCases[] = {
    {"escape", D3D_OK, 1, kPressEscape, 0, true, true},
    {"close box", D3D_OK, 1, kClose, 0, false, true},
    {"quit code is not the exit code", D3D_OK, 1, kQuit, 7, true, false},
    {"quit code minus one", D3D_OK, 1, kQuit, static_cast<WPARAM>(-1), true, false},
    {"failing present keeps the loop going", D3DERR_DEVICELOST, 3, kQuit, 0, true, false},
};

class MainLoop : public AppTest, public ::testing::WithParamInterface<RunCase>
{};

TEST_P(MainLoop, EndsWithZeroOnQuit)
{
    const RunCase &c = GetParam();
    ASSERT_EQ(0, InitApp());
    FakeD3D9 &fake = Fake();
    fake.presentResult = c.present;
    int frames = 0;
    fake.onPresent = [&] {
        if (++frames != c.actOnFrame)
            return;
        switch (c.action) {
        case kPressEscape:
            PostMessageA(app.hWnd, WM_KEYDOWN, VK_ESCAPE, 1);
            break;
        case kClose:
            PostMessageA(app.hWnd, WM_CLOSE, 0, 0);
            break;
        case kQuit:
            PostQuitMessage(static_cast<int>(c.quitCode));
            break;
        }
    };
    fake.calls.clear();

    EXPECT_EQ(0, app.Run());

    EXPECT_EQ(c.actOnFrame, frames) << "the loop must stop at the quit, not before";
    EXPECT_TRUE(DrainQueue().empty()) << "the quit message must be consumed";
    EXPECT_EQ(c.windowRemains, IsWindow(app.hWnd) != FALSE);
    // The class goes with the loop's end, unless the window still uses it.
    WNDCLASSA wc;
    EXPECT_EQ(c.windowRemains, GetClassInfoA(GetModuleHandleA(NULL), app.appName, &wc) != FALSE);
    const bool released = !fake.calls.empty() && fake.calls.back() == "Release(d3d)";
    EXPECT_EQ(c.releases, released);
    EXPECT_EQ(c.releases, app.d3dDevice == nullptr);
}

INSTANTIATE_TEST_SUITE_P(Cases, MainLoop, ::testing::ValuesIn(kRunCases), CaseName());

using MessageOrder = AppTest;

TEST_F(MessageOrder, PendingMessagesGoBeforeFrames)
{
    ASSERT_EQ(0, InitApp());
    Recorder other;
    // Each message queues the next: the queue is never empty until the
    // chain ends, so no frame may come in between.
    other.onMessage = [](const Recorder &self, UINT message, WPARAM) {
        if (message >= WM_APP + 1 && message < WM_APP + 5)
            PostMessageA(self.hwnd, message + 1, 0, 0);
    };
    Fake().onPresent = [&] {
        other.sent.push_back("frame");
        PostQuitMessage(0);
    };
    PostMessageA(other.hwnd, WM_APP + 1, 0, 0);

    EXPECT_EQ(0, app.Run());
    EXPECT_EQ(Calls({"WM_APP+1(0,0)", "WM_APP+2(0,0)", "WM_APP+3(0,0)", "WM_APP+4(0,0)",
                     "WM_APP+5(0,0)", "frame"}),
              other.sent);
}

} // namespace
