#pragma once
// What the standard control classes (button, static, edit, ...) share: their default font,
// the colour question to the parent, notifications, per-window state, text measuring; the
// classic edges come with it.
#include <memory>
#include <string>
#include <string_view>

#include "platform/controls/ClassicEdges.h"
#include "platform/gdi/Gdi.h"
#include "platform/text/Text.h"
#include "platform/window/OwnerDraw.h"
#include "platform/window/PaintControl.h"
#include "platform/window/WindowSystem.h"

// The message font of the non-client metrics, made once and shared by every control that
// has not been given a font; never deleted.
HFONT DefaultControlFont();

// The font a control draws with: the one it was given, else the default.
inline HFONT FontOrDefault(HFONT font) { return font ? font : DefaultControlFont(); }

// Asks the parent for the control's colours (WM_CTLCOLOR...). The context gets the default
// text and background colours first so that a parent which answers only with a brush still
// gets sensible text. A parent that does not answer (null) leaves `fallback`, a system colour
// index, as the brush.
HBRUSH AskControlColor(HWND hwnd, UINT msg, HDC dc, int fallback);
// Fills the client area with the brush the colour question answered, unless answering it
// destroyed the window; returns WM_ERASEBKGND's answer (erased).
LRESULT FillClientWithBrush(HWND hwnd, HDC dc, HBRUSH brush);

// WM_COMMAND (MAKEWPARAM(id, code), the control) to the parent. Returns false when the
// control was destroyed while the parent handled it.
bool NotifyParent(HWND hwnd, WORD code);

// Per-window state of a control kept in a window property: made at WM_NCCREATE, freed at
// WM_NCDESTROY.
template <typename State>
State* ControlStateOf(HWND hwnd, std::string_view prop) {
    return static_cast<State*>(GetProp(hwnd, prop));
}
template <typename State>
State* AttachControlState(HWND hwnd, std::string_view prop) {
    auto state = std::make_unique<State>();
    if (!SetProp(hwnd, prop, state.get())) return nullptr;
    return state.release();
}
template <typename State>
void DetachControlState(HWND hwnd, std::string_view prop) {
    std::unique_ptr<State> owned(static_cast<State*>(RemoveProp(hwnd, prop)));
}

// The life cycle that the window procedures of the stateful controls share: the state is made
// at WM_NCCREATE (prepare, when given, sees it with the creation parameters; a control that gets
// no state fails its creation) and freed at WM_NCDESTROY (release runs first); every message in
// between reaches handle(state), and messages outside that span go to DefWindowProc.
template <typename State>
struct ControlStateHooks {
    void (*prepare)(HWND, State&, LPARAM createParams) = nullptr;
    void (*release)(HWND, State&) = nullptr;
};
template <typename State, typename Handle>
LRESULT StatefulControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                            std::string_view prop, Handle&& handle,
                            ControlStateHooks<State> hooks = {}) {
    if (msg == WM_NCCREATE) {
        State* created = AttachControlState<State>(hwnd, prop);
        if (!created) return 0;
        if (hooks.prepare) hooks.prepare(hwnd, *created, lParam);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    if (msg == WM_NCDESTROY) {
        if (State* s = ControlStateOf<State>(hwnd, prop); s && hooks.release)
            hooks.release(hwnd, *s);
        DetachControlState<State>(hwnd, prop);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
    State* s = ControlStateOf<State>(hwnd, prop);
    if (!s) return DefWindowProc(hwnd, msg, wParam, lParam);
    return handle(*s);
}

// Text drawn the way disabled controls show it: highlight colour offset by one pixel, then
// the shadow colour on top.
void DrawEmbossedText(HDC dc, const char* text, int length, RECT r, UINT format);

// Fills in the header (sender, its id, the code) and sends WM_NOTIFY to the parent; 0 when
// there is no parent. The caller must re-check its window afterwards: the parent may destroy it.
LRESULT SendNotify(HWND from, NMHDR* hdr, UINT code);
// The system's message font, newly created (the caller deletes it); null when unavailable.
HFONT CreateMessageFont();

// What the bars (status, tool, cool) and the tab control keep alike: the message font they
// make for themselves and use until given another, and the hook on their parent's messages.
struct BarStateBase {
    HFONT ownFont = nullptr;
    HFONT font = nullptr;
    int parentHook = 0;
};
// Attached at WM_CREATE with its own message font; null when it cannot be attached.
template <typename State>
State* CreateBarState(HWND hwnd, std::string_view prop) {
    State* s = AttachControlState<State>(hwnd, prop);
    if (!s) return nullptr;
    s->ownFont = CreateMessageFont();
    s->font = s->ownFont;
    return s;
}
// Freed at WM_NCDESTROY with its parent hook and its own font.
template <typename State>
void DestroyBarState(HWND hwnd, std::string_view prop) {
    std::unique_ptr<State> s(static_cast<State*>(RemoveProp(hwnd, prop)));
    if (!s) return;
    if (s->parentHook) RemoveWindowMessageHook(s->parentHook);
    if (s->ownFont) DeleteObject(s->ownFont);
}
// The same life cycle for the bars, whose state is made at WM_CREATE with its own font
// (created, when given, runs on it) and freed with its parent hook at WM_NCDESTROY; WM_GETFONT
// answers the bar's font.
template <typename State, typename Handle>
LRESULT BarControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, std::string_view prop,
                       Handle&& handle, void (*created)(HWND, State&) = nullptr) {
    if (msg == WM_CREATE) {
        State* s = CreateBarState<State>(hwnd, prop);
        if (s && created) created(hwnd, *s);
        return 0;
    }
    State* s = ControlStateOf<State>(hwnd, prop);
    if (!s) return DefWindowProc(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_NCDESTROY:
        DestroyBarState<State>(hwnd, prop);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    case WM_GETFONT: return LRESULT(s->font);
    default: return handle(*s);
    }
}
// For a child control: onSize(hwnd) runs whenever its parent has handled WM_SIZE (and the
// control still exists). The hook's id, 0 for a control that is not a child.
int HookParentSize(HWND hwnd, void (*onSize)(HWND));
// The width and height of a UTF-8 text in a font (the default font when null).
SIZE MeasureText(HFONT font, const std::string& text);
