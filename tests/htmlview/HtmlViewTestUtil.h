#pragma once
// A headless screen with one pop-up window at the screen's corner holding an HTML view, and a
// temporary folder for the documents a test writes.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#include "htmlview/HtmlView.h"
#include "platform/backends/HeadlessBackend.h"
#include "platform/window/WindowSystem.h"

class HtmlViewFixture : public ::testing::Test {
  protected:
    static constexpr int kViewWidth = 400;
    static constexpr int kViewHeight = 300;

    void SetUp() override {
        UseHeadlessBackend(800, 600);
        ProcessPendingMessages();
        char pattern[] = "/tmp/htmlview-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        WNDCLASS wc;
        wc.lpszClassName = "HtmlViewTestHost";
        wc.lpfnWndProc = DefWindowProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        RegisterClass(wc);
        host_ = CreateWindowEx(0, "HtmlViewTestHost", "", WS_POPUP | WS_VISIBLE, 0, 0, kViewWidth,
                               kViewHeight, nullptr, nullptr, nullptr, nullptr);
        view_ = THtmlView::Create(host_, Rect(0, 0, kViewWidth, kViewHeight), 7);
        ASSERT_TRUE(view_);
        view_->openExternal = [this](const std::string& url) { opened_.push_back(url); };
        // No printer server is asked: one stand-in printer, and jobs are only recorded.
        view_->printDestinations = [] {
            return std::vector<PrintDestination>{{"Save as PDF", true}, {"Kafedra", false}};
        };
        view_->submitPrintJob = [this](const TPrintJob& job, std::string*) {
            jobs_.push_back(job);
            jobPdfExisted_ = std::filesystem::exists(job.pdfPath);
            return acceptJobs_;
        };
        view_->printDialog = [](PRINTDLG*) {
            ADD_FAILURE() << "the real print dialog must not open in this test";
            return false;
        };
    }
    void TearDown() override {
        view_.reset();
        if (IsWindow(host_)) DestroyWindow(host_);
        ProcessPendingMessages();
        std::filesystem::remove_all(dir_);
    }

    std::string Write(const std::string& name, const std::string& bytes) {
        const std::filesystem::path path = std::filesystem::path(dir_) / name;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    std::string PathOf(const std::string& name) const { return dir_ + "/" + name; }

    void Load(const std::string& path) {
        ASSERT_EQ(view_->Navigate(path), HTMLVIEW_OK);
        ProcessPendingMessages();
        ASSERT_TRUE(view_->Loaded());
    }
    COLORREF Pixel(int x, int y) {
        UpdateWindow(host_);
        return Screenshot().GetPixel(x, y);
    }
    SIZE Client() const {
        RECT r;
        GetClientRect(view_->Handle(), &r);
        return SIZE{WidthOf(r), HeightOf(r)};
    }
    // Clicks the middle of the first element the selector matches, where it is on screen.
    void ClickElement(const std::string& selector) {
        RECT r;
        ASSERT_TRUE(view_->ElementRect(selector, &r)) << selector;
        POINT p{(r.left + r.right) / 2 - view_->ScrollPosition().x,
                (r.top + r.bottom) / 2 - view_->ScrollPosition().y};
        ClientToScreen(view_->Handle(), &p);
        Click(p);
        ProcessPendingMessages();
    }

    std::string dir_;
    HWND host_ = nullptr;
    std::unique_ptr<THtmlView> view_;
    std::vector<std::string> opened_;
    std::vector<TPrintJob> jobs_;
    bool jobPdfExisted_ = false;
    bool acceptJobs_ = true;
};

// A document of `lines` paragraphs, each "line N", tall enough to scroll.
inline std::string LongDocument(int lines, const std::string& extra = "") {
    std::string html = "<html><body style=\"margin:0\">" + extra;
    for (int i = 0; i < lines; ++i)
        html += "<p style=\"margin:0;height:20px\">line " + std::to_string(i) + "</p>";
    return html + "</body></html>";
}
