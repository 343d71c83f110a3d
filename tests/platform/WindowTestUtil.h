#pragma once
// A small window class that records the messages it receives, for message-order tests.
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "platform/backends/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"

struct RecordedMessage {
    HWND hwnd;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

inline std::vector<RecordedMessage>& MessageLog() {
    static std::vector<RecordedMessage> log;
    return log;
}

// Messages that are interesting in order tests (mouse moves and cursor queries are noise).
inline bool Interesting(UINT msg) {
    return msg != WM_SETCURSOR && msg != WM_NCHITTEST && msg != WM_GETMINMAXINFO &&
           msg != WM_GETTEXTLENGTH && msg != WM_GETTEXT && msg != WM_GETICON;
}

inline LRESULT RecordingProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (Interesting(msg)) MessageLog().push_back({hwnd, msg, wParam, lParam});
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

inline void RegisterRecordingClass(const char* name = "Recorder", UINT style = 0,
                                   HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE +
                                                                                1)) {
    WNDCLASS wc;
    wc.lpszClassName = name;
    wc.lpfnWndProc = RecordingProc;
    wc.style = style;
    wc.hbrBackground = background;
    RegisterClass(wc);
}

inline std::vector<UINT> MessagesFor(HWND hwnd) {
    std::vector<UINT> out;
    for (const auto& m : MessageLog())
        if (m.hwnd == hwnd) out.push_back(m.msg);
    return out;
}

// Each test starts on a fresh headless screen with no windows left from another test.
class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        UseHeadlessBackend(800, 600);
        ProcessPendingMessages();
        RegisterRecordingClass();
        MessageLog().clear();
    }
    void TearDown() override {
        for (HWND h : created_) DestroyWindow(h);
        ProcessPendingMessages();
        MessageLog().clear();
    }
    HWND Track(HWND h) {
        created_.push_back(h);
        return h;
    }
    std::vector<HWND> created_;
};
