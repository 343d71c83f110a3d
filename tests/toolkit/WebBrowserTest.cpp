// The browser pane: the view fills it, history moves, and failures come back as codes that
// OleCheck turns into errors.
#include "toolkit/WebBrowser.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "ControlTestFixture.h"

namespace {

class WebBrowserTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        char pattern[] = "/tmp/webbrowser-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        ControlTest::TearDown();
        std::filesystem::remove_all(dir_);
    }
    std::string WritePage(const std::string& name, const std::string& body) {
        const std::filesystem::path path = dir_ / name;
        std::ofstream(path) << "<html><body><p>" << body << "</p></body></html>";
        return path.string();
    }
    std::filesystem::path dir_;
};

TEST_F(WebBrowserTest, ViewFillsTheControlAndFollowsItsSize) {
    TForm* form = MakeForm(400, 300);
    auto* browser = Child<TWebBrowser>(form, 13, 41, 200, 100);
    ShowAndSettle(form);
    ASSERT_NE(browser->View(), nullptr);
    const auto viewRect = [&] {
        RECT r{};
        GetWindowRect(browser->View()->Handle(), &r);
        POINT origin{0, 0};
        ClientToScreen(browser->Handle(), &origin);
        return OffsetRect(r, -origin.x, -origin.y);
    };
    EXPECT_EQ(viewRect(), (RECT{0, 0, 200, 100}));
    browser->SetAlign(alClient);
    ProcessPendingMessages();
    EXPECT_EQ(viewRect(), (RECT{0, 0, 400, 300}));
}

TEST_F(WebBrowserTest, HistoryMovesAndFailingCodesRaiseThroughOleCheck) {
    TForm* form = MakeForm(400, 300);
    auto* browser = Child<TWebBrowser>(form, 0, 0, 400, 300, alClient);
    ShowAndSettle(form);

    // Nothing to go back or forward to yet.
    EXPECT_EQ(browser->GoBack(), E_FAIL);
    EXPECT_THROW(OleCheck(browser->GoBack()), EOleException);
    EXPECT_THROW(OleCheck(browser->GoForward()), EOleException);
    try {
        OleCheck(E_FAIL);
    } catch (const EOleException& e) {
        EXPECT_EQ(e.ErrorCode(), E_FAIL);
        EXPECT_NE(std::string(e.what()).find("80004005"), std::string::npos) << e.what();
    }
    EXPECT_NO_THROW(OleCheck(S_OK));
    EXPECT_NO_THROW(OleCheck(1)); // S_FALSE is a success

    const std::string first = WritePage("bir.html", "Birinshi");
    const std::string second = WritePage("eki.html", "Ekinshi");
    EXPECT_EQ(browser->Navigate(first), S_OK);
    ProcessPendingMessages();
    EXPECT_EQ(browser->Navigate(second), S_OK);
    ProcessPendingMessages();
    EXPECT_NE(browser->View()->Text().find("Ekinshi"), std::string::npos);

    EXPECT_NO_THROW(OleCheck(browser->GoBack()));
    ProcessPendingMessages();
    EXPECT_NE(browser->View()->Text().find("Birinshi"), std::string::npos);
    EXPECT_THROW(OleCheck(browser->GoBack()), EOleException)
        << "the first page has nothing before it";
    EXPECT_NO_THROW(OleCheck(browser->GoForward()));
    ProcessPendingMessages();
    EXPECT_NE(browser->View()->Text().find("Ekinshi"), std::string::npos);

    // A missing file is not a failure: the view shows a page of its own for it.
    EXPECT_NO_THROW(OleCheck(browser->Navigate((dir_ / "joq.html").string())));
    ProcessPendingMessages();
    EXPECT_NO_THROW(OleCheck(browser->GoBack()));
}

TEST_F(WebBrowserTest, ExecWBPassesTheViewsResult) {
    TForm* form = MakeForm(400, 300);
    auto* browser = Child<TWebBrowser>(form, 0, 0, 400, 300, alClient);
    ShowAndSettle(form);
    int asked = 0;
    browser->View()->printDialog = [&asked](PRINTDLG*) {
        ++asked;
        return false; // the user cancels
    };
    EXPECT_EQ(browser->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER), S_OK)
        << "cancelling is no failure";
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(browser->ExecWB(12345, 0), E_FAIL) << "an unknown command";
}

TEST_F(WebBrowserTest, OperationsFailWithoutAParentInsteadOfCrashing) {
    auto* browser = app_->Make<TWebBrowser>();
    EXPECT_EQ(browser->Navigate("C:\\x.html"), E_FAIL);
    EXPECT_EQ(browser->GoBack(), E_FAIL);
    EXPECT_EQ(browser->ExecWB(OLECMDID_PRINT, OLECMDEXECOPT_DONTPROMPTUSER), E_FAIL);
    EXPECT_EQ(browser->View(), nullptr);
}

} // namespace
