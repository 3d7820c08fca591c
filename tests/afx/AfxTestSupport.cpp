// The framework tests' application object, set up once before the tests run.
#include "AfxTestSupport.h"
#include "AfxTestIds.h"

#include <gtest/gtest.h>

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_COMMAND(ID_TEST_APP, OnTestApp)
END_MESSAGE_MAP()

CTestApp& TestApp()
{
    static CTestApp theApp;
    return theApp;
}

namespace
{
class AfxEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_BAR_CLASSES | ICC_COOL_CLASSES | ICC_WIN95_CLASSES};
        InitCommonControlsEx(&icc);
        TestApp();
        char szCmdLine[] = "";
        ASSERT_TRUE(AfxWinInit(GetModuleHandleA(nullptr), nullptr, szCmdLine, SW_SHOWNORMAL));
    }
};

::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new AfxEnvironment);
}  // namespace

void PumpMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    {
        if (msg.message == WM_QUIT)
            continue;  // a test's main window ending must not end the next test's loops
        if (!TestApp().PreTranslateMessage(&msg))
        {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    TestApp().OnIdle(0);
    TestApp().OnIdle(1);
}
