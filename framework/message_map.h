#pragma once
// Message maps: one static const table per class, each row a window message
// or a command id range and a thunk that calls the member handler with the
// message's parameters unpacked. A table ends with a null row and points to
// its base class's table; dispatch walks that chain, derived class first.
#include <windows.h>
#include <windowsx.h>

#include "dc.h"
#include "point.h"

class CCmdTarget;
class CCmdUI;
class CWnd;

// Command notification codes for OnCmdMsg.
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;

using AFX_THUNK = LRESULT (*)(CCmdTarget* target, WPARAM wParam, LPARAM lParam, void* extra);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // window message; WM_COMMAND for command and command-update rows
    int nCode;      // notification code of a command row
    UINT nID;       // first command id of a command row
    UINT nLastID;   // last command id of a command row
    AFX_THUNK pfn;  // null ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // null at the root
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Filled by OnCmdMsg instead of calling the handler, to ask whether one exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
};

#define afx_msg

// Unpacking thunks. T is the class whose map holds the row; F may be a member
// of T or of one of its bases.
namespace afx_thunk {
CWnd* WndFromHandle(HWND hWnd);

template <class T, auto F>
LRESULT Void(CCmdTarget* t, WPARAM, LPARAM, void*)
{
    (static_cast<T*>(t)->*F)();
    return 0;
}
template <class T, auto F>
LRESULT Update(CCmdTarget* t, WPARAM, LPARAM, void* extra)
{
    (static_cast<T*>(t)->*F)(static_cast<CCmdUI*>(extra));
    return 0;
}
template <class T, auto F>
LRESULT Create(CCmdTarget* t, WPARAM, LPARAM l, void*)
{
    return (static_cast<T*>(t)->*F)(reinterpret_cast<LPCREATESTRUCT>(l));
}
template <class T, auto F>
LRESULT EraseBkgnd(CCmdTarget* t, WPARAM w, LPARAM, void*)
{
    CDC dc(reinterpret_cast<HDC>(w));  // borrowed: the caller owns the device context
    return (static_cast<T*>(t)->*F)(&dc);
}
template <class T, auto F>
LRESULT Mouse(CCmdTarget* t, WPARAM w, LPARAM l, void*)
{
    (static_cast<T*>(t)->*F)(static_cast<UINT>(w), CPoint(GET_X_LPARAM(l), GET_Y_LPARAM(l)));
    return 0;
}
template <class T, auto F>
LRESULT Focus(CCmdTarget* t, WPARAM w, LPARAM, void*)
{
    (static_cast<T*>(t)->*F)(WndFromHandle(reinterpret_cast<HWND>(w)));
    return 0;
}
template <class T, auto F>
LRESULT Size(CCmdTarget* t, WPARAM w, LPARAM l, void*)
{
    (static_cast<T*>(t)->*F)(static_cast<UINT>(w), LOWORD(l), HIWORD(l));
    return 0;
}
template <class T, auto F>
LRESULT InitMenuPopup(CCmdTarget* t, WPARAM w, LPARAM l, void*)
{
    (static_cast<T*>(t)->*F)(reinterpret_cast<HMENU>(w), LOWORD(l), HIWORD(l) != 0);
    return 0;
}
template <class T, auto F>
LRESULT QueryDragIcon(CCmdTarget* t, WPARAM, LPARAM, void*)
{
    return reinterpret_cast<LRESULT>((static_cast<T*>(t)->*F)());
}
template <class T, auto F>
LRESULT Flag(CCmdTarget* t, WPARAM w, LPARAM, void*)
{
    (static_cast<T*>(t)->*F)(w != 0);
    return 0;
}
template <class T, auto F>
LRESULT Message(CCmdTarget* t, WPARAM w, LPARAM l, void*)
{
    return (static_cast<T*>(t)->*F)(w, l);
}
}  // namespace afx_thunk

#define DECLARE_MESSAGE_MAP()                         \
protected:                                            \
    static const AFX_MSGMAP* GetThisMessageMap();     \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                            \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }      \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                        \
    {                                                                                      \
        using ThisClass [[maybe_unused]] = theClass;                                       \
        using TheBaseClass = baseClass;                                                    \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                                  \
            {0, 0, 0, 0, nullptr}};                                                        \
        static const AFX_MSGMAP map = {&TheBaseClass::GetThisMessageMap, entries};        \
        return &map;                                                                       \
    }

// Window messages, each to its handler of the conventional name and signature.
#define ON_WM_CREATE() {WM_CREATE, 0, 0, 0, &afx_thunk::Create<ThisClass, &ThisClass::OnCreate>},
#define ON_WM_PAINT() {WM_PAINT, 0, 0, 0, &afx_thunk::Void<ThisClass, &ThisClass::OnPaint>},
#define ON_WM_ERASEBKGND() \
    {WM_ERASEBKGND, 0, 0, 0, &afx_thunk::EraseBkgnd<ThisClass, &ThisClass::OnEraseBkgnd>},
#define ON_WM_LBUTTONDOWN() \
    {WM_LBUTTONDOWN, 0, 0, 0, &afx_thunk::Mouse<ThisClass, &ThisClass::OnLButtonDown>},
#define ON_WM_SETFOCUS() {WM_SETFOCUS, 0, 0, 0, &afx_thunk::Focus<ThisClass, &ThisClass::OnSetFocus>},
#define ON_WM_SIZE() {WM_SIZE, 0, 0, 0, &afx_thunk::Size<ThisClass, &ThisClass::OnSize>},
#define ON_WM_INITMENUPOPUP() \
    {WM_INITMENUPOPUP, 0, 0, 0, &afx_thunk::InitMenuPopup<ThisClass, &ThisClass::OnInitMenuPopup>},
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, 0, &afx_thunk::Void<ThisClass, &ThisClass::OnClose>},
#define ON_WM_ENABLE() {WM_ENABLE, 0, 0, 0, &afx_thunk::Flag<ThisClass, &ThisClass::OnEnable>},
#define ON_WM_ENDSESSION() {WM_ENDSESSION, 0, 0, 0, &afx_thunk::Flag<ThisClass, &ThisClass::OnEndSession>},
#define ON_WM_QUERYDRAGICON() \
    {WM_QUERYDRAGICON, 0, 0, 0, &afx_thunk::QueryDragIcon<ThisClass, &ThisClass::OnQueryDragIcon>},
// Any message to LRESULT handler(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn) {message, 0, 0, 0, &afx_thunk::Message<ThisClass, memberFxn>},

// Commands: menu items, accelerators and control notifications.
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, (id), (id), &afx_thunk::Void<ThisClass, memberFxn>},
#define ON_UPDATE_COMMAND_UI(id, memberFxn) \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, (id), (id), &afx_thunk::Update<ThisClass, memberFxn>},
#define ON_CONTROL(code, id, memberFxn) \
    {WM_COMMAND, (code), (id), (id), &afx_thunk::Void<ThisClass, memberFxn>},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
