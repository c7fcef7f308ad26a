// A D3DApp on the real user32 and the fake Direct3D runtime, with the
// thread left as it was found: window destroyed, class removed, queue empty,
// and every reference the runtime handed out given back exactly once.
#ifndef QUENZIBAR_TESTS_APP_FIXTURE_H
#define QUENZIBAR_TESTS_APP_FIXTURE_H

#include "app/d3d_app.h"
#include "fake_d3d9.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

// Removes whatever is queued for this thread, without dispatching it.
std::vector<MSG> DrainQueue();

// ShowCursor's display counter for this thread.
int CursorCount();

class AppTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // Init with this module's instance.
    int InitApp();

    D3DApp app;
};

// A plain top-level window that records the messages the tests watch (see
// Describe) as "name(wParam,lParam)" and otherwise behaves as DefWindowProcA,
// except that WM_DESTROY is handed on to the program's window procedure, as
// the program's own window would, and WM_SYSCOMMAND is only recorded.
class Recorder
{
public:
    Recorder();
    ~Recorder();

    HWND hwnd;
    std::vector<std::string> sent;
    // Runs for each message the window receives, after it is recorded.
    void (*onMessage)(const Recorder &, UINT message, WPARAM wParam) = nullptr;
};

// Names a parameterised test after its case's `name`: "no window" -> "no_window".
struct CaseName
{
    template <class Case>
    std::string operator()(const ::testing::TestParamInfo<Case> &info) const
    {
        return Identifier(info.param.name);
    }
    static std::string Identifier(const char *text);
};

// "WM_KEYDOWN(1b,0)" for the messages the tests watch; "" for the rest.
std::string Describe(UINT message, WPARAM wParam, LPARAM lParam);

void PrintTo(const D3DPRESENT_PARAMETERS &pp, std::ostream *os);
bool operator==(const D3DPRESENT_PARAMETERS &a, const D3DPRESENT_PARAMETERS &b);

#endif
