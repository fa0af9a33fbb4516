// Dialog data exchange against real controls: check box, radio group and
// edit box, both directions, and the failures that make UpdateData false.

#include <gtest/gtest.h>
#include <windows.h>

#include "data_exchange.h"

namespace {

constexpr int kCheck = 10, kFirstRadio = 20, kGroupEnd = 23, kEdit = 30, kMissing = 99;

class DataExchangeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_parent = CreateWindowExA(0, "STATIC", "parent", WS_OVERLAPPED, 0, 0, 300, 200, nullptr,
                                   nullptr, GetModuleHandleA(nullptr), nullptr);
        ASSERT_NE(m_parent, nullptr);
        Child("BUTTON", BS_AUTO3STATE | WS_TABSTOP, kCheck);
        Child("BUTTON", BS_AUTORADIOBUTTON | WS_GROUP, kFirstRadio);
        Child("BUTTON", BS_AUTORADIOBUTTON, kFirstRadio + 1);
        Child("BUTTON", BS_AUTORADIOBUTTON, kFirstRadio + 2);
        Child("STATIC", WS_GROUP, kGroupEnd);
        Child("BUTTON", BS_AUTORADIOBUTTON, 24);  // a radio of the next group
        Child("EDIT", WS_BORDER | ES_AUTOHSCROLL, kEdit);
        m_dialog.Attach(m_parent);
    }
    void TearDown() override
    {
        m_dialog.Detach();
        DestroyWindow(m_parent);
    }
    void Child(const char* className, DWORD style, int id)
    {
        CreateWindowExA(0, className, "", WS_CHILD | WS_VISIBLE | style, 0, 0, 50, 20, m_parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        GetModuleHandleA(nullptr), nullptr);
    }
    LRESULT State(int id) { return SendDlgItemMessageA(m_parent, id, BM_GETCHECK, 0, 0); }

    HWND m_parent = nullptr;
    CWnd m_dialog;
};

TEST_F(DataExchangeTest, CheckBoxBothWays)
{
    for (int value : {1, 2, 0}) {
        CDataExchange toControls(&m_dialog, FALSE);
        DDX_Check(&toControls, kCheck, value);
        EXPECT_EQ(State(kCheck), value);
        int read = -5;
        CDataExchange fromControls(&m_dialog, TRUE);
        DDX_Check(&fromControls, kCheck, read);
        EXPECT_EQ(read, value);
        EXPECT_FALSE(fromControls.Failed());
    }
    int odd = 7;  // no such state: shown cleared
    CDataExchange toControls(&m_dialog, FALSE);
    DDX_Check(&toControls, kCheck, odd);
    EXPECT_EQ(State(kCheck), BST_UNCHECKED);
}

TEST_F(DataExchangeTest, RadioGroupStopsAtTheNextGroup)
{
    int choice = 2;
    CDataExchange toControls(&m_dialog, FALSE);
    DDX_Radio(&toControls, kFirstRadio, choice);
    EXPECT_EQ(State(kFirstRadio), BST_UNCHECKED);
    EXPECT_EQ(State(kFirstRadio + 2), BST_CHECKED);

    SendDlgItemMessageA(m_parent, 24, BM_SETCHECK, BST_CHECKED, 0);  // outside the group
    SendDlgItemMessageA(m_parent, kFirstRadio + 2, BM_SETCHECK, BST_UNCHECKED, 0);
    SendDlgItemMessageA(m_parent, kFirstRadio + 1, BM_SETCHECK, BST_CHECKED, 0);
    CDataExchange fromControls(&m_dialog, TRUE);
    DDX_Radio(&fromControls, kFirstRadio, choice);
    EXPECT_EQ(choice, 1);

    SendDlgItemMessageA(m_parent, kFirstRadio + 1, BM_SETCHECK, BST_UNCHECKED, 0);
    CDataExchange none(&m_dialog, TRUE);
    DDX_Radio(&none, kFirstRadio, choice);
    EXPECT_EQ(choice, -1);
}

TEST_F(DataExchangeTest, TextAndNumbers)
{
    tstring text = "c:\\Program Files\\Quenlark\\" + std::string(600, 'x');
    CDataExchange toControls(&m_dialog, FALSE);
    DDX_Text(&toControls, kEdit, text);
    tstring read;
    CDataExchange fromControls(&m_dialog, TRUE);
    DDX_Text(&fromControls, kEdit, read);
    EXPECT_EQ(read, text);

    SetDlgItemTextA(m_parent, kEdit, " 42 ");
    int number = 0;
    CDataExchange numbers(&m_dialog, TRUE);
    DDX_Text(&numbers, kEdit, number);
    EXPECT_EQ(number, 42);
    EXPECT_FALSE(numbers.Failed());
    for (const char* bad : {"", "4x", "99999999999"}) {
        SetDlgItemTextA(m_parent, kEdit, bad);
        CDataExchange failing(&m_dialog, TRUE);
        DDX_Text(&failing, kEdit, number);
        EXPECT_TRUE(failing.Failed()) << bad;
        EXPECT_EQ(number, 42) << bad;
    }
}

TEST_F(DataExchangeTest, MissingControlFailsAndControlsBindOnce)
{
    int value = 1;
    CDataExchange exchange(&m_dialog, TRUE);
    DDX_Check(&exchange, kMissing, value);
    EXPECT_TRUE(exchange.Failed());
    EXPECT_EQ(value, 1);

    CWnd edit;
    CDataExchange bind(&m_dialog, TRUE);
    DDX_Control(&bind, kEdit, edit);
    EXPECT_EQ(edit.m_hWnd, GetDlgItem(m_parent, kEdit));
    DDX_Control(&bind, kCheck, edit);  // already bound: stays
    EXPECT_EQ(edit.m_hWnd, GetDlgItem(m_parent, kEdit));
    EXPECT_FALSE(bind.Failed());
    edit.Detach();

    EXPECT_TRUE(AfxShowDlgItem(&m_dialog, kEdit, FALSE));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(m_parent, kEdit)));
    EXPECT_FALSE(AfxShowDlgItem(&m_dialog, kMissing, TRUE));
}

}  // namespace
