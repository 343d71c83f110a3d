#include "platform/controls/CoolBar.h"

#include <map>
#include <vector>

#include "BarTestUtil.h"

namespace {

struct CoolParentLog {
    std::vector<UINT> codes;
    std::vector<DWORD> stages;
    std::map<DWORD, LRESULT> answers;
};

CoolParentLog& Log() {
    static CoolParentLog log;
    return log;
}

LRESULT CoolParentProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        Log().codes.push_back(hdr->code);
        if (hdr->code == NM_CUSTOMDRAW) {
            DWORD stage = reinterpret_cast<NMCUSTOMDRAW*>(lParam)->dwDrawStage;
            Log().stages.push_back(stage);
            auto it = Log().answers.find(stage);
            return it == Log().answers.end() ? CDRF_DODEFAULT : it->second;
        }
        return 0;
    }
    return DefWindowProc(hwnd, msg, wParam, lParam);
}

class CoolBarTest : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        Log() = CoolParentLog{};
        WNDCLASS wc;
        wc.lpszClassName = "CoolBarTestParent";
        wc.lpfnWndProc = CoolParentProc;
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        RegisterClass(wc);
        RegisterCoolBarClass();
        RegisterCoolBarClass();
        parent_ = Track(MakePlainParent(400, 300, "CoolBarTestParent"));
        bar_ = CreateWindowEx(0, REBARCLASSNAME, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                              10, 10, parent_, nullptr, nullptr, nullptr);
    }
    void TearDown() override {
        WindowTest::TearDown();
        Log() = CoolParentLog{};
    }
    HWND AddBand(UINT style, int cyMin, int cx, const char* text = nullptr, int at = -1) {
        HWND child = CreateWindowEx(0, "Recorder", "", WS_CHILD | WS_VISIBLE, 0, 0, 5, 5, parent_,
                                    nullptr, nullptr, nullptr);
        REBARBANDINFO info;
        info.fMask = RBBIM_STYLE | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE | RBBIM_ID |
                     (text ? RBBIM_TEXT : 0);
        info.fStyle = style;
        info.hwndChild = child;
        info.cyMinChild = UINT(cyMin);
        info.cx = UINT(cx);
        info.wID = 77;
        info.lpText = const_cast<char*>(text);
        EXPECT_TRUE(SendMessage(bar_, RB_INSERTBANDA, WPARAM(intptr_t(at)), LPARAM(&info)));
        return child;
    }
    static RECT ChildPlace(HWND child) {
        RECT r;
        GetWindowRect(child, &r);
        return r; // the bar lies at the screen's origin, so these are bar coordinates
    }
    HWND parent_ = nullptr;
    HWND bar_ = nullptr;
};

TEST_F(CoolBarTest, BandChildSitsRightOfTheGrip) {
    HWND child = AddBand(0, 37, 0);
    EXPECT_EQ(GetParent(child), bar_); // the band adopts its child
    RECT bar;
    GetWindowRect(bar_, &bar);
    // One band of 37 + 4 along the whole top of the parent.
    EXPECT_TRUE(SameRect(bar, {0, 0, 400, 41})) << RectText(bar);
    EXPECT_EQ(SendMessage(bar_, RB_GETBARHEIGHT, 0, 0), 41);
    EXPECT_TRUE(SameRect(ChildPlace(child), {9, 2, 398, 39})) << RectText(ChildPlace(child));
    RECT band;
    ASSERT_TRUE(SendMessage(bar_, RB_GETRECT, 0, LPARAM(&band)));
    EXPECT_TRUE(SameRect(band, {0, 0, 400, 41}));
}

TEST_F(CoolBarTest, GripStylesDecideWhereTheChildStarts) {
    struct Case {
        UINT style;
        int childLeft;
    } cases[] = {
        {0, 9},
        {RBBS_NOGRIPPER, 2},
        {RBBS_FIXEDSIZE, 2},
        {RBBS_FIXEDSIZE | RBBS_GRIPPERALWAYS, 9},
    };
    for (const Case& c : cases) {
        HWND child = AddBand(c.style, 20, 0);
        EXPECT_EQ(ChildPlace(child).left, c.childLeft) << "style " << c.style;
        SendMessage(bar_, RB_DELETEBAND, 0, 0);
        EXPECT_FALSE(IsWindowVisible(child)); // a removed band's child is hidden
    }
}

TEST_F(CoolBarTest, BandsFillRowsAndBreaksStartNewOnes) {
    HWND a = AddBand(0, 20, 150);
    HWND b = AddBand(0, 30, 100);
    HWND c = AddBand(RBBS_BREAK, 16, 100);
    EXPECT_EQ(SendMessage(bar_, RB_GETBANDCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessage(bar_, RB_GETROWCOUNT, 0, 0), 2);
    // Row 1: 0..150 and 150..400 (the last band reaches the edge), 34 high; row 2 is 20 high.
    RECT want[] = {{0, 0, 150, 34}, {150, 0, 400, 34}, {0, 34, 400, 54}};
    for (int i = 0; i < 3; ++i) {
        RECT r;
        ASSERT_TRUE(SendMessage(bar_, RB_GETRECT, i, LPARAM(&r)));
        EXPECT_TRUE(SameRect(r, want[i])) << i << ": " << RectText(r);
    }
    EXPECT_TRUE(SameRect(ChildPlace(a), {9, 2, 148, 22}));
    EXPECT_TRUE(SameRect(ChildPlace(b), {159, 2, 398, 32}));
    EXPECT_TRUE(SameRect(ChildPlace(c), {9, 36, 398, 52}));
    EXPECT_EQ(SendMessage(bar_, RB_GETBARHEIGHT, 0, 0), 54);
    REBARBANDINFO info;
    info.fMask = RBBIM_SIZE | RBBIM_ID | RBBIM_CHILD | RBBIM_CHILDSIZE;
    ASSERT_TRUE(SendMessage(bar_, RB_GETBANDINFOA, 1, LPARAM(&info)));
    EXPECT_EQ(info.cx, 250u);
    EXPECT_EQ(info.wID, 77u);
    EXPECT_EQ(info.hwndChild, b);
    EXPECT_EQ(info.cyMinChild, 30u);
    EXPECT_FALSE(SendMessage(bar_, RB_GETBANDINFOA, 3, LPARAM(&info)));
}

TEST_F(CoolBarTest, TextPushesTheChildAndComesBack) {
    HWND child = AddBand(0, 20, 0, "Жол");
    RECT r = ChildPlace(child);
    EXPECT_GT(r.left, 9 + 4);
    char buffer[16] = {};
    REBARBANDINFO info;
    info.fMask = RBBIM_TEXT;
    info.lpText = buffer;
    info.cch = sizeof buffer;
    ASSERT_TRUE(SendMessage(bar_, RB_GETBANDINFOA, 0, LPARAM(&info)));
    EXPECT_EQ(std::string(buffer), "Жол");
    info.cch = 4; // too small: cut at a whole letter before the terminator
    SendMessage(bar_, RB_GETBANDINFOA, 0, LPARAM(&info));
    EXPECT_EQ(std::string(buffer), "Ж");
}

TEST_F(CoolBarTest, HeightChangesAreAnnouncedAndFollowTheParentWidth) {
    AddBand(0, 20, 0);
    Log().codes.clear();
    AddBand(RBBS_BREAK, 20, 0);
    EXPECT_EQ(std::count(Log().codes.begin(), Log().codes.end(), RBN_HEIGHTCHANGE), 1);
    Log().codes.clear();
    REBARBANDINFO info;
    info.fMask = RBBIM_ID;
    info.wID = 5;
    SendMessage(bar_, RB_SETBANDINFOA, 0, LPARAM(&info));
    EXPECT_EQ(std::count(Log().codes.begin(), Log().codes.end(), RBN_HEIGHTCHANGE), 0);
    SetWindowPos(parent_, nullptr, 0, 0, 500, 300, SWP_NOMOVE | SWP_NOZORDER);
    RECT bar;
    GetWindowRect(bar_, &bar);
    EXPECT_TRUE(SameRect(bar, {0, 0, 500, 48})) << RectText(bar);
}

TEST_F(CoolBarTest, CustomDrawStagesAndEtchedBorders) {
    AddBand(0, 20, 0);
    Log().answers = {{CDDS_PREERASE, CDRF_NOTIFYPOSTERASE}, {CDDS_PREPAINT, CDRF_NOTIFYPOSTPAINT}};
    Log().stages.clear();
    InvalidateRect(bar_, nullptr, true);
    UpdateWindow(bar_);
    EXPECT_EQ(Log().stages,
              (std::vector<DWORD>{CDDS_PREERASE, CDDS_POSTERASE, CDDS_PREPAINT, CDDS_POSTPAINT}));
    Bitmap shot = Screenshot();
    // Etched: a shadow line with a highlight line inside it along the top.
    EXPECT_EQ(PixelOf(shot, 200, 0), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(PixelOf(shot, 1, 1), GetSysColor(COLOR_BTNHIGHLIGHT));
    // The grip: a raised bar at x 3..5.
    EXPECT_EQ(PixelOf(shot, 3, 10), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(PixelOf(shot, 5, 10), GetSysColor(COLOR_BTNSHADOW));
    // Skipping the default paint leaves the borders out.
    Log().answers = {{CDDS_PREPAINT, CDRF_SKIPDEFAULT}};
    InvalidateRect(bar_, nullptr, true);
    UpdateWindow(bar_);
    EXPECT_TRUE(SameRect(InkBox(Screenshot(), {0, 0, 9, 24}, GetSysColor(COLOR_BTNFACE)), {}));
}

// Records where the bar asks for its images.
class ImageLog : public TabImageSource {
  public:
    struct Call {
        int x, y, index;
        bool enabled;
        bool operator==(const Call&) const = default;
    };
    SIZE ImageSize() const override { return {12, 8}; }
    int ImageCount() const override { return 2; }
    void DrawImage(HDC, int x, int y, int index, bool enabled) const override {
        calls.push_back({x, y, index, enabled});
    }
    mutable std::vector<Call> calls;
};

TEST_F(CoolBarTest, BandImagesComeFromTheBarsListAfterTheGrip) {
    HWND plain = AddBand(0, 20, 100);
    HWND texted = AddBand(0, 20, 150, "Ab");
    const int plainLeft = ChildPlace(plain).left, textedLeft = ChildPlace(texted).left;
    ImageLog images;
    REBARINFO bar;
    bar.fMask = RBIM_IMAGELIST;
    bar.himl = &images;
    ASSERT_TRUE(SendMessage(bar_, RB_SETBARINFO, 0, LPARAM(&bar)));
    // Without an image index the list changes nothing.
    EXPECT_EQ(ChildPlace(plain).left, plainLeft);
    EXPECT_EQ(ChildPlace(texted).left, textedLeft);

    struct Case {
        int image;
        int plainLeft, textedLeft; // where the children start
    } cases[] = {
        {0, 9 + 12 + 4, textedLeft + 12 + 2}, // alone, 4 after it; before a text, 2
        {1, 9 + 12 + 4, textedLeft + 12 + 2},
        {2, plainLeft, textedLeft}, // past the list's end: none
        {-1, plainLeft, textedLeft},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.image);
        REBARBANDINFO info;
        info.fMask = RBBIM_IMAGE;
        info.iImage = c.image;
        ASSERT_TRUE(SendMessage(bar_, RB_SETBANDINFOA, 0, LPARAM(&info)));
        ASSERT_TRUE(SendMessage(bar_, RB_SETBANDINFOA, 1, LPARAM(&info)));
        EXPECT_EQ(ChildPlace(plain).left, c.plainLeft);
        EXPECT_EQ(ChildPlace(texted).left, c.textedLeft);
        info.iImage = 99;
        SendMessage(bar_, RB_GETBANDINFOA, 1, LPARAM(&info));
        EXPECT_EQ(info.iImage, c.image);
    }

    // Drawn after the grip, centred in the 24-high bands; greyed on a disabled bar.
    REBARBANDINFO info;
    info.fMask = RBBIM_IMAGE;
    info.iImage = 1;
    SendMessage(bar_, RB_SETBANDINFOA, 1, LPARAM(&info));
    UpdateWindow(bar_);
    // Each change of the enabled state repaints by itself.
    for (bool enabled : {false, true}) {
        images.calls.clear();
        EnableWindow(bar_, enabled);
        UpdateWindow(bar_);
        EXPECT_EQ(images.calls, (std::vector<ImageLog::Call>{{100 + 9, 8, 1, enabled}})) << enabled;
    }

    REBARINFO back;
    back.fMask = RBIM_IMAGELIST;
    ASSERT_TRUE(SendMessage(bar_, RB_GETBARINFO, 0, LPARAM(&back)));
    EXPECT_EQ(back.himl, &images);
    bar.himl = nullptr; // the bar lets go of the list before it goes
    SendMessage(bar_, RB_SETBARINFO, 0, LPARAM(&bar));
    EXPECT_EQ(ChildPlace(texted).left, textedLeft);
}

} // namespace
