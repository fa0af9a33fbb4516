// Message maps, command routing, update handlers, frames and their lifetime,
// modal dialogs, the list control and message box captions.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "afxwin.h"

namespace {

std::vector<std::string> g_calls;

// Removes a WM_QUIT that a closed main window left in the queue.
void DrainQuit()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp(TEXT("Framework Test App")) {}
    afx_msg void OnAppOnly() { g_calls.push_back("app 302"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TestApp, CWinApp)
    ON_COMMAND(302, &TestApp::OnAppOnly)
END_MESSAGE_MAP()

class BaseWnd : public CWnd {
public:
    bool enable101 = false;
    afx_msg void OnCommand100() { g_calls.push_back("base 100"); }
    afx_msg void OnCommand101() { g_calls.push_back("base 101"); }
    afx_msg void OnUpdate101(CCmdUI* ui) { ui->Enable(enable101); }
    afx_msg LRESULT OnApp(WPARAM w, LPARAM l) { return static_cast<LRESULT>(w + l); }
    afx_msg void OnLButtonDown(UINT, CPoint point)
    {
        g_calls.push_back("click " + std::to_string(point.x) + "," + std::to_string(point.y));
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(BaseWnd, CWnd)
    ON_COMMAND(100, &BaseWnd::OnCommand100)
    ON_COMMAND(101, &BaseWnd::OnCommand101)
    ON_UPDATE_COMMAND_UI(101, &BaseWnd::OnUpdate101)
    ON_MESSAGE(WM_APP, &BaseWnd::OnApp)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

class DerivedWnd : public BaseWnd {
public:
    afx_msg void OnDerived100() { g_calls.push_back("derived 100"); }
    afx_msg void OnCommand300() { g_calls.push_back("pane 300"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(DerivedWnd, BaseWnd)
    ON_COMMAND(100, &DerivedWnd::OnDerived100)
    ON_COMMAND(300, &DerivedWnd::OnCommand300)
END_MESSAGE_MAP()

// A frame that offers commands to its pane first, as the game's frame does.
class TestFrame : public CFrameWnd {
public:
    static int destroyed;
    DerivedWnd pane;
    bool enable304 = false;

    ~TestFrame() override { ++destroyed; }
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (pane.OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        if (CFrameWnd::OnCreate(cs) == -1)
            return -1;
        return pane.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST)
                   ? 0
                   : -1;
    }
    afx_msg void OnCommand300() { g_calls.push_back("frame 300"); }
    afx_msg void OnCommand301() { g_calls.push_back("frame 301"); }
    afx_msg void OnCommand304() { g_calls.push_back("frame 304"); }
    afx_msg void OnUpdate304(CCmdUI* ui) { ui->Enable(enable304); }
    DECLARE_MESSAGE_MAP()
};
int TestFrame::destroyed = 0;
BEGIN_MESSAGE_MAP(TestFrame, CFrameWnd)
    ON_WM_CREATE()
    ON_COMMAND(300, &TestFrame::OnCommand300)
    ON_COMMAND(301, &TestFrame::OnCommand301)
    ON_COMMAND(304, &TestFrame::OnCommand304)
    ON_UPDATE_COMMAND_UI(304, &TestFrame::OnUpdate304)
END_MESSAGE_MAP()

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_calls.clear();
        app.InitApplicationState(::GetModuleHandle(nullptr), SW_SHOW);
    }
    void TearDown() override { DrainQuit(); }

    TestFrame* NewFrame()
    {
        auto* frame = new TestFrame;
        if (!frame->Create(nullptr, TEXT("Frame"), WS_OVERLAPPEDWINDOW, CRect(10, 10, 410, 310))) {
            delete frame;
            return nullptr;
        }
        return frame;
    }

    TestApp app;
};

TEST_F(WindowTest, DerivedMapRowsComeFirstAndBaseRowsAreInherited)
{
    DerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, TEXT("w"), WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0), 0);
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 7));
    EXPECT_EQ(wnd.SendMessage(WM_APP, 40, 2), 42);
    // Unmapped messages get the system's processing.
    wnd.SetWindowText(TEXT("title"));
    EXPECT_EQ(wnd.GetWindowText(), tstring(TEXT("title")));
    EXPECT_EQ(g_calls, (std::vector<std::string>{"derived 100", "click -3,7"}));
}

TEST_F(WindowTest, DisabledMenuAndAcceleratorCommandsAreDropped)
{
    DerivedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, TEXT("w"), WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(101, 0), 0);  // menu
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(101, 1), 0);  // accelerator
    EXPECT_TRUE(g_calls.empty());
    wnd.enable101 = true;
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(101, 1), 0);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"base 101"}));
}

TEST_F(WindowTest, ObjectIsUnboundWhenItsWindowIsDestroyed)
{
    HWND hWnd = nullptr;
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, TEXT("w"), WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
        hWnd = wnd.m_hWnd;
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), &wnd);
        ASSERT_TRUE(wnd.DestroyWindow());
        EXPECT_EQ(wnd.m_hWnd, nullptr);
        EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    }
    {
        CWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, TEXT("w"), WS_POPUP, 0, 0, 50, 50, nullptr, nullptr));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd)) << "an object going away destroys its window";
}

TEST_F(WindowTest, FrameRoutesPaneThenFrameThenApplication)
{
    TestFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    for (UINT id : {300u, 301u, 302u, 399u})
        frame->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
    EXPECT_EQ(g_calls, (std::vector<std::string>{"pane 300", "frame 301", "app 302"}));
    frame->DestroyWindow();
}

TEST_F(WindowTest, RuntimeClassNamesTheNearestDeclaringClass)
{
    TestFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    EXPECT_STREQ(frame->GetRuntimeClass()->m_lpszClassName, "CFrameWnd");
    EXPECT_TRUE(frame->IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_TRUE(frame->IsKindOf(RUNTIME_CLASS(CCmdTarget)));
    EXPECT_FALSE(frame->IsKindOf(RUNTIME_CLASS(CDialog)));
    EXPECT_FALSE(app.IsKindOf(RUNTIME_CLASS(CWnd)));
    frame->DestroyWindow();
}

TEST_F(WindowTest, WindowClassIsNamedAfterItsInstanceStyleCursorBrushAndIcon)
{
    HINSTANCE instance = AfxGetInstanceHandle();
    HCURSOR cursor = ::LoadCursor(nullptr, IDC_CROSS);
    HBRUSH brush = static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH));
    HICON icon = ::LoadIcon(nullptr, IDI_QUESTION);
    const UINT style = CS_HREDRAW | CS_DBLCLKS;
    LPCTSTR name = AfxRegisterWndClass(style, cursor, brush, icon);

    char expected[96];
    std::snprintf(expected, sizeof expected, "Afx:%llx:%x:%llx:%llx:%llx",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(instance)), style,
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(cursor)),
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(brush)),
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(icon)));
    EXPECT_EQ(tstring(name), tstring(expected, expected + std::strlen(expected)));
    EXPECT_EQ(AfxRegisterWndClass(style, cursor, brush, icon), name) << "registered once, same name";
    EXPECT_NE(tstring(AfxRegisterWndClass(CS_HREDRAW, cursor, brush, icon)), tstring(name));

    WNDCLASS registered{};
    ASSERT_TRUE(::GetClassInfo(instance, name, &registered));
    EXPECT_EQ(registered.style, style);
    EXPECT_EQ(registered.hCursor, cursor);
    EXPECT_EQ(registered.hbrBackground, brush);
    EXPECT_EQ(registered.hIcon, icon);
    EXPECT_EQ(registered.lpfnWndProc, &AfxWndProc);
}

TEST_F(WindowTest, FrameKeepsThePaneOverItsClientArea)
{
    TestFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    frame->MoveWindow(0, 0, 333, 222);
    CRect client, pane;
    frame->GetClientRect(&client);
    frame->pane.GetWindowRect(&pane);
    ::MapWindowPoints(nullptr, frame->m_hWnd, reinterpret_cast<POINT*>(&pane), 2);
    EXPECT_EQ(pane, client);
    EXPECT_GT(client.Width(), 0);
    frame->DestroyWindow();
}

TEST_F(WindowTest, OpeningAMenuAsksTheUpdateHandlers)
{
    TestFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    HMENU popup = ::CreatePopupMenu();
    for (UINT id : {300u, 304u, 399u, 101u})
        ::AppendMenu(popup, MF_STRING, id, TEXT("item"));
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(0, FALSE));
    auto greyed = [&](UINT id) { return (::GetMenuState(popup, id, MF_BYCOMMAND) & MF_GRAYED) != 0; };
    EXPECT_FALSE(greyed(300)) << "a command handler exists";
    EXPECT_TRUE(greyed(304)) << "the update handler disables it";
    EXPECT_TRUE(greyed(399)) << "no handler at all";
    EXPECT_TRUE(greyed(101)) << "the pane's update handler disables it";
    frame->enable304 = true;
    frame->pane.enable101 = true;
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), MAKELPARAM(0, FALSE));
    EXPECT_FALSE(greyed(304));
    EXPECT_FALSE(greyed(101));
    ::DestroyMenu(popup);
    frame->DestroyWindow();
}

TEST_F(WindowTest, ClosingTheMainFrameDeletesItAndEndsTheLoop)
{
    TestFrame::destroyed = 0;
    TestFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    app.m_pMainWnd = frame;
    frame->PostMessage(WM_COMMAND, MAKEWPARAM(ID_APP_EXIT, 0), 0);
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    EXPECT_EQ(TestFrame::destroyed, 1);
}

// Dialog 200 of the test's resources: edit 201, list 202, OK.
class TestDialog : public CDialog {
public:
    explicit TestDialog(CWnd* parent = nullptr) : CDialog(200, parent) {}

    tstring text = TEXT("start");
    int loads = 0;
    int saves = 0;
    int failSaves = 0;
    int paints = 0;
    std::vector<UINT> postOnInit;
    HWND owner = nullptr;
    CListCtrl list;
    tstring listCell;
    int headerCount = 0;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        owner = ::GetWindow(m_hWnd, GW_OWNER);
        list.Attach(GetDlgItem(202)->m_hWnd);
        list.InsertColumn(0, TEXT("Compact"), LVCFMT_CENTER, 71);
        list.InsertColumn(1, TEXT("Medium"), LVCFMT_CENTER, 71);
        list.InsertColumn(2, TEXT("Maximum"), LVCFMT_CENTER, 71);
        list.InsertItem(LVIF_TEXT, 0, TEXT("10"), 0, 0, 0, 0);
        list.SetItemText(0, 2, TEXT("30"));
        listCell = list.GetItemText(0, 0) + TEXT("/") + list.GetItemText(0, 2);
        headerCount = static_cast<int>(
            ::SendMessage(reinterpret_cast<HWND>(list.SendMessage(LVM_GETHEADER)), HDM_GETITEMCOUNT, 0, 0));
        for (UINT id : postOnInit)
            PostMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* pDX) override
    {
        if (!pDX->m_bSaveAndValidate) {
            ++loads;
            SetDlgItemText(201, text.c_str());
            return;
        }
        ++saves;
        if (failSaves > 0) {
            --failSaves;
            pDX->Fail();
            return;
        }
        text = GetDlgItemText(201);
    }
    afx_msg void OnPaint()
    {
        ++paints;
        CWnd::OnPaint();  // the dialog's own painting
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(TestDialog, CDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST_F(WindowTest, DialogLoadsMembersAndSavesThemOnOK)
{
    TestDialog dialog;
    dialog.text = TEXT("typed");
    dialog.postOnInit = {IDOK};
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.loads, 1);
    EXPECT_EQ(dialog.saves, 1);
    EXPECT_EQ(dialog.text, tstring(TEXT("typed")));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.listCell, tstring(TEXT("10/30")));
    EXPECT_EQ(dialog.headerCount, 3);
}

TEST_F(WindowTest, FailedExchangeKeepsTheDialogOpen)
{
    TestDialog dialog;
    dialog.failSaves = 1;
    dialog.postOnInit = {IDOK, IDCANCEL};
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.saves, 1);
    EXPECT_EQ(dialog.text, tstring(TEXT("start")));
}

TEST_F(WindowTest, DialogDefaultProcessingPaintsAndCloseCancels)
{
    TestDialog dialog;
    dialog.postOnInit = {};
    // WM_CLOSE after the dialog has painted: the system's processing turns it into IDCANCEL.
    struct CloseLater {
        static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD)
        {
            ::KillTimer(nullptr, id);
            HWND dlg = ::FindWindow(nullptr, TEXT("Framework Test"));
            if (dlg != nullptr)
                ::PostMessage(dlg, WM_CLOSE, 0, 0);
        }
    };
    ::SetTimer(nullptr, 0, 300, CloseLater::OnTimer);
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_GE(dialog.paints, 1);
}

TEST_F(WindowTest, DialogOfAChildWindowIsOwnedByItsTopLevelWindow)
{
    TestFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    TestDialog dialog(&frame->pane);
    dialog.postOnInit = {IDCANCEL};
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(dialog.owner, frame->m_hWnd);
    frame->DestroyWindow();
}

TEST_F(WindowTest, MessageBoxWithoutCaptionShowsTheApplicationName)
{
    TestFrame* frame = NewFrame();
    ASSERT_NE(frame, nullptr);
    frame->ShowWindow(SW_SHOW);
    static tstring caption;
    static HWND owner;
    caption.clear();
    owner = nullptr;
    // The box runs its own loop; a timer reads it and presses OK.
    struct PressOk {
        static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD)
        {
            HWND box = ::FindWindow(TEXT("#32770"), nullptr);
            if (box == nullptr)
                return;
            ::KillTimer(nullptr, id);
            TCHAR text[256] = {0};
            ::GetWindowText(box, text, 256);
            caption = text;
            owner = ::GetWindow(box, GW_OWNER);
            ::PostMessage(box, WM_COMMAND, IDOK, 0);
        }
    };
    ::SetTimer(nullptr, 0, 300, PressOk::OnTimer);
    EXPECT_EQ(frame->pane.MessageBox(TEXT("hello")), IDOK);
    EXPECT_EQ(caption, tstring(TEXT("Framework Test App")));
    EXPECT_EQ(owner, frame->m_hWnd);
    frame->DestroyWindow();
}

}  // namespace
