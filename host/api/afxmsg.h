// Message maps: the table that binds messages, control notifications and commands to member
// functions, written with MFC's macros. Each entry holds a small typed thunk, so handlers keep
// their own signatures and no member-pointer casts are needed.
#pragma once

#include "winuser.h"

class CCmdTarget;

typedef LRESULT (*AFX_PMSGTHUNK)(CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* result);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;  // WM_COMMAND, WM_NOTIFY or a window message; 0 ends the table
    UINT nCode;     // notification code for WM_COMMAND / WM_NOTIFY
    UINT nID;       // first control id
    UINT nLastID;   // last control id (ranges)
    AFX_PMSGTHUNK pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

namespace vx_afx {
template <class C, class R, class... A>
C* owner(R (C::*)(A...), CCmdTarget* t) {
    return static_cast<C*>(t);
}
template <auto F>
LRESULT thunkVoid(CCmdTarget* t, WPARAM, LPARAM, LRESULT*) {
    (owner(F, t)->*F)();
    return 0;
}
template <auto F>
LRESULT thunkRange(CCmdTarget* t, WPARAM w, LPARAM, LRESULT*) {
    (owner(F, t)->*F)(LOWORD(w));
    return 0;
}
template <auto F>
LRESULT thunkNotify(CCmdTarget* t, WPARAM, LPARAM l, LRESULT* result) {
    (owner(F, t)->*F)(reinterpret_cast<NMHDR*>(l), result);
    return 0;
}
template <auto F>
LRESULT thunkMessage(CCmdTarget* t, WPARAM w, LPARAM l, LRESULT*) {
    return (owner(F, t)->*F)(w, l);
}
template <auto F>
LRESULT thunkCreate(CCmdTarget* t, WPARAM, LPARAM l, LRESULT*) {
    return (owner(F, t)->*F)(reinterpret_cast<LPCREATESTRUCT>(l));
}
template <auto F>
LRESULT thunkSize(CCmdTarget* t, WPARAM w, LPARAM l, LRESULT*) {
    (owner(F, t)->*F)(static_cast<UINT>(w), LOWORD(static_cast<uintptr_t>(l)), HIWORD(static_cast<uintptr_t>(l)));
    return 0;
}
template <auto F>
LRESULT thunkSizing(CCmdTarget* t, WPARAM w, LPARAM l, LRESULT*) {
    (owner(F, t)->*F)(static_cast<UINT>(w), reinterpret_cast<LPRECT>(l));
    return 0;
}
}  // namespace vx_afx

#define afx_msg

#define DECLARE_MESSAGE_MAP()                              \
protected:                                                 \
    static const AFX_MSGMAP* GetThisMessageMap();          \
    const AFX_MSGMAP* GetMessageMap() const override;      \
                                                           \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                  \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                           \
        typedef theClass ThisClass;                                             \
        typedef baseClass TheBaseClass;                                         \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                        \
    {0, 0, 0, 0, nullptr}                                                        \
    };                                                                           \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    (void)sizeof(ThisClass*);                                                    \
    return &messageMap;                                                          \
    }

#define ON_COMMAND(id, memberFxn) {WM_COMMAND, 0u, UINT(id), UINT(id), &vx_afx::thunkVoid<memberFxn>},
#define ON_COMMAND_RANGE(id, idLast, memberFxn) \
    {WM_COMMAND, 0u, UINT(id), UINT(idLast), &vx_afx::thunkRange<memberFxn>},
#define ON_CONTROL(code, id, memberFxn) {WM_COMMAND, UINT(code), UINT(id), UINT(id), &vx_afx::thunkVoid<memberFxn>},
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn) \
    {WM_COMMAND, UINT(code), UINT(id), UINT(idLast), &vx_afx::thunkRange<memberFxn>},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_NOTIFY(code, id, memberFxn) {WM_NOTIFY, UINT(code), UINT(id), UINT(id), &vx_afx::thunkNotify<memberFxn>},
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn) \
    {WM_NOTIFY, UINT(code), UINT(id), UINT(idLast), &vx_afx::thunkNotify<memberFxn>},
#define ON_MESSAGE(message, memberFxn) {UINT(message), 0u, 0u, 0u, &vx_afx::thunkMessage<memberFxn>},
#define ON_WM_CREATE() {WM_CREATE, 0u, 0u, 0u, &vx_afx::thunkCreate<&ThisClass::OnCreate>},
#define ON_WM_DESTROY() {WM_DESTROY, 0u, 0u, 0u, &vx_afx::thunkVoid<&ThisClass::OnDestroy>},
#define ON_WM_CLOSE() {WM_CLOSE, 0u, 0u, 0u, &vx_afx::thunkVoid<&ThisClass::OnClose>},
#define ON_WM_SIZE() {WM_SIZE, 0u, 0u, 0u, &vx_afx::thunkSize<&ThisClass::OnSize>},
#define ON_WM_SIZING() {WM_SIZING, 0u, 0u, 0u, &vx_afx::thunkSizing<&ThisClass::OnSizing>},
