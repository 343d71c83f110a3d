#pragma once
// The textbook's application on the headless screen, run in the course folder: what the window
// benchmarks share. The forms are made by each benchmark; they go with the application.
#include <filesystem>
#include <memory>

#include "platform/backends/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"
#include "toolkit/Application.h"

class CourseFolderApp {
  public:
    CourseFolderApp() {
        UseHeadlessBackend(1280, 1024);
        ProcessPendingMessages();
        old_ = std::filesystem::current_path();
        std::filesystem::current_path(STAT_CONTENT_DIR);
        app_ = std::make_unique<TApplication>();
        app_->Initialize();
    }
    CourseFolderApp(const CourseFolderApp&) = delete;
    CourseFolderApp& operator=(const CourseFolderApp&) = delete;
    ~CourseFolderApp() {
        app_.reset();
        ProcessPendingMessages();
        MSG quit;
        while (PeekMessage(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
        std::filesystem::current_path(old_);
    }
    TApplication& App() { return *app_; }

  private:
    std::filesystem::path old_;
    std::unique_ptr<TApplication> app_;
};
