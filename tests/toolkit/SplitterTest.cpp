// The splitter: dragging resizes the neighbour at its edge within the limits; a disabled
// splitter ignores the mouse.
#include "toolkit/Splitter.h"

#include <vector>

#include "ControlTestFixture.h"
#include "platform/controls/ClassicEdges.h"
#include "toolkit/Panel.h"

namespace {

class SplitterTest : public ControlTest {
  protected:
    // A 400-wide form: a 100-wide panel at the edge, a 5-wide splitter, and a client panel.
    void MakeSplit(TAlign side) {
        form_ = MakeForm(400, 200);
        form_->BeginLoading();
        edge_ = Child<TPanel>(form_, side == alLeft ? 0 : 300, 0, 100, 200, side);
        splitter_ = Child<TSplitter>(form_, side == alLeft ? 100 : 295, 0, 5, 200, side);
        splitter_->SetMinSize(30);
        client_ = Child<TPanel>(form_, 0, 0, 10, 10, alClient);
        form_->EndLoading();
        ShowAndSettle(form_);
    }
    void Drag(int dx) {
        const POINT from = ScreenPoint(splitter_, 2, 100);
        MouseMoveTo(from);
        MouseDown(from);
        // Two steps, so that a splitter that moves under the mouse is measured right.
        MouseMoveTo(POINT{from.x + dx / 2, from.y});
        MouseMoveTo(POINT{from.x + dx, from.y});
        MouseUp(POINT{from.x + dx, from.y});
    }
    TForm* form_ = nullptr;
    TPanel *edge_{}, *client_{};
    TSplitter* splitter_ = nullptr;
};

TEST_F(SplitterTest, DraggingResizesTheNeighbourWithinItsLimits) {
    struct Case {
        const char* name;
        TAlign side;
        TResizeStyle style;
        bool autoSnap;
        int dx;
        int width;
    };
    // The neighbour may grow to 400 - 5 (splitter) - 30 (the client's minimum) = 365.
    const Case cases[] = {
        {"left, live", alLeft, rsUpdate, true, 40, 140},
        {"left, line", alLeft, rsPattern, true, 40, 140},
        {"right grows leftwards", alRight, rsUpdate, true, -40, 140},
        {"right shrinks", alRight, rsLine, true, 30, 70},
        {"to the far side", alLeft, rsUpdate, true, 350, 365},
        {"below the minimum snaps shut", alLeft, rsUpdate, true, -80, 0},
        {"or stops at it", alLeft, rsUpdate, false, -80, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakeSplit(c.side);
        splitter_->SetResizeStyle(c.style);
        splitter_->SetAutoSnap(c.autoSnap);
        int moved = 0;
        splitter_->OnMoved = [&moved](TComponent*) { ++moved; };
        Drag(c.dx);
        EXPECT_EQ(edge_->Width(), c.width);
        EXPECT_EQ(moved, 1);
        // The splitter stays against the neighbour and the client panel takes the rest.
        if (c.side == alLeft)
            EXPECT_EQ(splitter_->Left(), c.width);
        else
            EXPECT_EQ(splitter_->Left() + splitter_->Width(), 400 - c.width);
        EXPECT_EQ(client_->Width(), 400 - 5 - c.width);
        form_->Hide();
    }
}

TEST_F(SplitterTest, DisabledSplitterIgnoresTheMouse) {
    MakeSplit(alLeft);
    splitter_->SetResizeStyle(rsUpdate);
    splitter_->SetEnabled(false);
    int moved = 0;
    splitter_->OnMoved = [&moved](TComponent*) { ++moved; };
    Drag(60);
    EXPECT_EQ(edge_->Width(), 100);
    EXPECT_EQ(splitter_->Left(), 100);
    EXPECT_EQ(moved, 0);
}

TEST_F(SplitterTest, OnCanResizeMayChangeOrRefuseTheSize) {
    MakeSplit(alLeft);
    splitter_->SetResizeStyle(rsUpdate);
    std::vector<int> asked;
    splitter_->OnCanResize = [&asked](TComponent*, int& size, bool& accept) {
        asked.push_back(size);
        if (size > 150)
            accept = false;
        else
            size = size / 10 * 10;
    };
    Drag(46); // via 123 to 146: rounded down to 120, then 140
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), 123);
    for (int size : asked) EXPECT_TRUE(size == 123 || size == 146) << size; // what the mouse asked
    EXPECT_EQ(edge_->Width(), 140);
    Drag(30); // 170 is refused: the size stays
    EXPECT_EQ(edge_->Width(), 140);
}

TEST_F(SplitterTest, PaintsAPlainBarOrABevel) {
    MakeSplit(alLeft);
    splitter_->SetColor(RGB(10, 20, 30));
    Bitmap shot = ClientShot(form_);
    for (int x = 100; x < 105; ++x) EXPECT_EQ(Pixel(shot, x, 50), RGB(10, 20, 30)) << x;
    splitter_->SetBeveled(true);
    shot = ClientShot(form_);
    // A one-pixel raised edge: highlight left, shadow right, the face between.
    EXPECT_EQ(Pixel(shot, 100, 50), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(Pixel(shot, 102, 50), RGB(10, 20, 30));
    EXPECT_EQ(Pixel(shot, 104, 50), GetSysColor(COLOR_BTNSHADOW));
}

// OnPaint comes after the bar is drawn, with the splitter's canvas on the painting context:
// what it draws there shows over the bar, at the splitter's own coordinates.
TEST_F(SplitterTest, OnPaintDrawsOnTheSplittersCanvasAfterTheBar) {
    MakeSplit(alLeft);
    splitter_->SetColor(RGB(10, 20, 30));
    int calls = 0;
    splitter_->OnPaint = [this, &calls](TComponent* sender) {
        ++calls;
        EXPECT_EQ(sender, static_cast<TComponent*>(splitter_));
        const HDC dc = splitter_->Canvas().Handle();
        ASSERT_NE(dc, nullptr);
        FillSolidRect(dc, RECT{1, 40, 3, 60}, RGB(200, 0, 0));
    };
    const Bitmap shot = ClientShot(form_);
    EXPECT_GE(calls, 1);
    EXPECT_EQ(Pixel(shot, 101, 50), RGB(200, 0, 0));
    EXPECT_EQ(Pixel(shot, 102, 50), RGB(200, 0, 0));
    EXPECT_EQ(Pixel(shot, 103, 50), RGB(10, 20, 30));
    EXPECT_EQ(Pixel(shot, 101, 39), RGB(10, 20, 30));
}

// csParentBackground in ControlStyle follows SetParentBackground, both ways, and leaves the
// other style flags alone.
TEST_F(SplitterTest, ParentBackgroundFollowsItsSetterInTheControlStyle) {
    MakeSplit(alLeft);
    const unsigned others = edge_->ControlStyle() & ~unsigned(csParentBackground);
    for (const bool value : {true, false, true, true, false}) {
        edge_->SetParentBackground(value);
        EXPECT_EQ(edge_->ParentBackground(), value);
        EXPECT_EQ((edge_->ControlStyle() & csParentBackground) != 0, value);
        EXPECT_EQ(edge_->ControlStyle() & ~unsigned(csParentBackground), others);
    }
}

} // namespace
