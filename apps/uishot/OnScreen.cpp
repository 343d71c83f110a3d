#include "OnScreen.h"

#include <iostream>
#include <memory>
#include <string>

#include "platform/backends/HeadlessBackend.h"
#include "platform/backends/SdlBackend.h"
#include "platform/window/WindowSystem.h"

int RunOnScreen(int seconds, const std::function<void()>& open,
                const std::function<void()>& close) {
    std::string error;
    std::unique_ptr<SdlBackend> backend = SdlBackend::Create(&error);
    if (!backend) {
        std::cerr << "uishot: no display to show windows on (" << error << ")\n";
        return 1;
    }
    SetBackend(std::move(backend));
    open();
    if (seconds >= 0)
        SetTimer(nullptr, 0, UINT(seconds) * 1000,
                 [](HWND, UINT, uintptr_t, DWORD) { PostQuitMessage(0); });
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    close();
    ProcessPendingMessages();
    SetBackend(std::make_unique<HeadlessBackend>());
    return 0;
}
