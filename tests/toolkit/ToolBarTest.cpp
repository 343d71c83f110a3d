// The tool bar: children in the row in the order of their Left, separators taking their
// widths, and the window's custom drawing reaching the events.
#include "platform/controls/ToolBar.h"

#include <vector>

#include "ControlTestFixture.h"
#include "toolkit/ImageList.h"
#include "toolkit/Panel.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/ToolBar.h"

namespace {

class ToolBarTest : public ControlTest {
  protected:
    // The main window's row: separator 8, button 30, separator 8, panel 100, then a tool
    // button; made out of order to show that Left decides the order.
    void MakeRow(TEdgeBorders edges) {
        form_ = MakeForm(400, 100);
        bar_ = form_->Make<TToolBar>();
        bar_->SetEdgeBorders(edges);
        bar_->SetBounds(0, 0, 400, 37);
        bar_->SetButtonHeight(30);
        bar_->SetParent(form_);
        // As when the form is read: the row is laid out once everything is there.
        form_->BeginLoading();
        tool_ = Child<TToolButton>(bar_, 300, 0, 23, 22);
        speed_ = Child<TSpeedButton>(bar_, 8, 0, 30, 30);
        // Aligned to the top, as the main window's caption panel is: the bar keeps its size.
        panel_ = Child<TPanel>(bar_, 46, 0, 100, 30, alTop);
        sep1_ = Child<TToolButton>(bar_, 38, 0, 8, 22);
        sep1_->SetStyle(tbsSeparator);
        sep0_ = Child<TToolButton>(bar_, 0, 0, 8, 22);
        sep0_->SetStyle(tbsSeparator);
        form_->EndLoading();
        ShowAndSettle(form_);
    }
    TForm* form_ = nullptr;
    TToolBar* bar_ = nullptr;
    TToolButton *tool_{}, *sep0_{}, *sep1_{};
    TSpeedButton* speed_ = nullptr;
    TPanel* panel_ = nullptr;
};

TEST_F(ToolBarTest, ChildrenTakeTheirPlacesInTheRow) {
    for (const TEdgeBorders edges : {TEdgeBorders(0), TEdgeBorders(ebTop)}) {
        SCOPED_TRACE(edges);
        MakeRow(edges);
        // The top edge lies in the frame, outside the client area: the row starts at y 0.
        const int top = 0;
        struct Case {
            TControl* control;
            RECT bounds;
        };
        const Case cases[] = {
            {sep0_, {0, top, 8, top + 30}},     {speed_, {8, top, 38, top + 30}},
            {sep1_, {38, top, 46, top + 30}},   {panel_, {46, top, 146, top + 30}},
            {tool_, {146, top, 169, top + 30}}, // the bar's button width (23) and height
        };
        for (const Case& c : cases)
            EXPECT_EQ(c.control->BoundsRect(), c.bounds) << c.control->ClassName();
        EXPECT_EQ(bar_->RowControls(),
                  (std::vector<TControl*>{sep0_, speed_, sep1_, panel_, tool_}));

        // The window holds one place per child, so its own layout agrees.
        EXPECT_EQ(SendMessage(bar_->Handle(), TB_BUTTONCOUNT, 0, 0), 5);
        RECT place{};
        SendMessage(bar_->Handle(), TB_GETITEMRECT, 3, LPARAM(&place));
        EXPECT_EQ(place, panel_->BoundsRect());
        // The panel is a window: it really sits there.
        RECT wr{};
        GetWindowRect(panel_->Handle(), &wr);
        POINT origin{0, 0};
        ClientToScreen(bar_->Handle(), &origin);
        EXPECT_EQ(wr.left - origin.x, 46);
        form_->Hide();
    }
}

TEST_F(ToolBarTest, AWiderSeparatorMovesWhatFollowsAndALaterChildGoesByItsLeft) {
    MakeRow(0);
    sep1_->SetWidth(13);
    bar_->Realign();
    EXPECT_EQ(panel_->Left(), 51);
    EXPECT_EQ(tool_->Left(), 151);

    // Left 40 lies between the separator at 38 and the panel at 51.
    auto* late = Child<TToolButton>(bar_, 40, 0, 10, 10);
    late->SetStyle(tbsDivider);
    EXPECT_EQ(bar_->RowControls(),
              (std::vector<TControl*>{sep0_, speed_, sep1_, late, panel_, tool_}));
    EXPECT_EQ(late->Left(), 51);
    EXPECT_EQ(panel_->Left(), 59);
    EXPECT_EQ(SendMessage(bar_->Handle(), TB_BUTTONCOUNT, 0, 0), 6);

    // A child taken off the bar leaves no hole.
    late->SetParent(nullptr);
    bar_->Realign();
    EXPECT_EQ(panel_->Left(), 51);
    EXPECT_EQ(SendMessage(bar_->Handle(), TB_BUTTONCOUNT, 0, 0), 5);
}

TEST_F(ToolBarTest, CustomDrawEventsCanReplaceTheBarsPainting) {
    MakeRow(0);
    const COLORREF red = RGB(220, 0, 0), green = RGB(0, 180, 0);
    std::vector<TToolButton*> offered;
    bar_->OnAdvancedCustomDraw = [&](TToolBar* sender, const RECT& r, TCustomDrawStage stage,
                                     bool& defaultDraw) {
        if (stage != cdPrePaint) return;
        sender->Canvas().Brush.Color = red;
        sender->Canvas().FillRect(r);
        defaultDraw = true; // the buttons still draw
    };
    bar_->OnAdvancedCustomDrawButton = [&](TToolBar* sender, TToolButton* button, UINT,
                                           TCustomDrawStage stage, bool& defaultDraw) {
        if (stage != cdPrePaint) return;
        offered.push_back(button);
        sender->Canvas().Brush.Color = green;
        sender->Canvas().FillRect(button->BoundsRect());
        defaultDraw = false;
    };
    Bitmap shot = ClientShot(bar_);
    // Only real buttons are offered; separators and other controls' places are not.
    EXPECT_EQ(offered, (std::vector<TToolButton*>{tool_}));
    EXPECT_EQ(Pixel(shot, 157, 15), green);
    EXPECT_EQ(Pixel(shot, 300, 33), red) << "past the row: the bar's background";

    // Skipping the default at the start skips the buttons too.
    offered.clear();
    bar_->OnAdvancedCustomDraw = [&](TToolBar* sender, const RECT& r, TCustomDrawStage stage,
                                     bool& defaultDraw) {
        if (stage != cdPrePaint) return;
        sender->Canvas().Brush.Color = red;
        sender->Canvas().FillRect(r);
        defaultDraw = false;
    };
    shot = ClientShot(bar_);
    EXPECT_TRUE(offered.empty());
    EXPECT_EQ(Pixel(shot, 157, 15), red);
}

// A flat bar draws an etched line in a plain separator's place; where another control sits,
// none, even when the control lets the bar show through.
TEST_F(ToolBarTest, FlatBarsDrawNoSeparatorLineUnderAControl) {
    MakeRow(0);
    bar_->SetFlat(true);
    speed_->SetFlat(true);
    speed_->SetTransparent(true); // an up flat button draws nothing: the bar shows through
    ProcessPendingMessages();
    const Bitmap shot = ClientShot(bar_);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT),
                   face = GetSysColor(COLOR_BTNFACE);
    // The separator 0..8: the line's dark half left of the middle, the light half at it.
    EXPECT_EQ(Pixel(shot, 3, 15), shadow);
    EXPECT_EQ(Pixel(shot, 4, 15), light);
    // The speed button's place 8..38 would have its line at 22 and 23.
    EXPECT_EQ(Pixel(shot, 22, 15), face);
    EXPECT_EQ(Pixel(shot, 23, 15), face);
}

TEST_F(ToolBarTest, ButtonEventSetsDrawingFlagsAndImagesAreDrawn) {
    MakeRow(0);
    TImageList* images = form_->Make<TImageList>(8, 8);
    Bitmap red(8, 8, 24, true);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) red.SetPixel(x, y, RGB(255, 0, 0));
    images->Add(red);
    bar_->SetImages(images);
    tool_->SetImageIndex(0);
    // No edges: a pushed-in frame would darken the button's left column.
    SendMessage(bar_->Handle(), TB_SETSTATE, WPARAM(5),
                MAKELPARAM(TBSTATE_ENABLED | TBSTATE_CHECKED, 0));
    bar_->OnAdvancedCustomDrawButton = [](TToolBar*, TToolButton*, UINT, TCustomDrawStage,
                                          TTBCustomDrawFlags& flags, bool&) { flags |= tbNoEdges; };
    const Bitmap shot = ClientShot(bar_);
    const RECT place = tool_->BoundsRect(); // 146..169 by 0..30
    EXPECT_EQ(Pixel(shot, place.left, 15), GetSysColor(COLOR_BTNFACE));
    // The image: centred ((23 - 8) / 2 + 1, (30 - 8) / 2), one further right and down when down.
    EXPECT_EQ(Pixel(shot, place.left + 8 + 1, 11 + 1), RGB(255, 0, 0));
    EXPECT_EQ(Pixel(shot, place.left + 8, 11), GetSysColor(COLOR_BTNFACE));
    delete images; // the bar hears of it and lets the list go
    EXPECT_EQ(bar_->Images(), nullptr);
}

// The frame: E pixels (one per edge line that is not esNone) on every side EdgeBorders names,
// plus 2 x BorderWidth on every side; the client area is what is left.
TEST_F(ToolBarTest, FrameTakesTheNamedEdgesAndTheBorderBand) {
    MakeRow(ebTop);
    struct Case {
        TEdgeBorders edges;
        TEdgeStyle outer, inner;
        int borderWidth;
        RECT frame; // left, top, right, bottom widths
    } cases[] = {
        {ebTop, esLowered, esRaised, 0, {0, 2, 0, 0}}, // as the bar was made
        {0, esLowered, esRaised, 0, {0, 0, 0, 0}},
        {ebLeft | ebBottom, esLowered, esRaised, 0, {2, 0, 0, 2}},
        {ebLeft | ebTop | ebRight | ebBottom, esRaised, esNone, 0, {1, 1, 1, 1}},
        {ebRight, esNone, esNone, 0, {0, 0, 0, 0}},
        {ebTop | ebRight, esNone, esLowered, 1, {2, 3, 3, 2}},
        {0, esLowered, esRaised, 2, {4, 4, 4, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.edges << " " << c.outer << c.inner << " " << c.borderWidth);
        bar_->SetEdgeBorders(c.edges);
        bar_->SetEdgeOuter(c.outer);
        bar_->SetEdgeInner(c.inner);
        bar_->SetBorderWidth(c.borderWidth);
        ProcessPendingMessages();
        EXPECT_EQ(bar_->FrameWidths(), c.frame);
        RECT wr{}, cr{};
        GetWindowRect(bar_->Handle(), &wr);
        GetClientRect(bar_->Handle(), &cr);
        POINT origin{0, 0};
        ClientToScreen(bar_->Handle(), &origin);
        EXPECT_EQ(origin.x - wr.left, c.frame.left);
        EXPECT_EQ(origin.y - wr.top, c.frame.top);
        EXPECT_EQ(cr.right, 400 - c.frame.left - c.frame.right);
        EXPECT_EQ(cr.bottom, 37 - c.frame.top - c.frame.bottom);
        // The row follows the client area.
        EXPECT_EQ(sep0_->BoundsRect(), (RECT{0, 0, 8, 30}));
    }
}

// The edge lines as DrawEdge draws them, outer line outside: a sunken outer line is shadow
// above-left and highlight below-right, a raised inner one highlight above-left and shadow
// below-right, a raised outer one 3D light and dark shadow, a sunken inner one dark shadow and
// 3D light. The border band inside them has the bar's colour.
TEST_F(ToolBarTest, FrameEdgesHaveTheirSystemColours) {
    MakeRow(ebTop);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT),
                   face = GetSysColor(COLOR_BTNFACE), dark = GetSysColor(COLOR_3DDKSHADOW),
                   light3d = GetSysColor(COLOR_3DLIGHT);
    struct Case {
        TEdgeBorders edges;
        TEdgeStyle outer, inner;
        int borderWidth;
        POINT at; // in window coordinates
        COLORREF colour;
    } cases[] = {
        // The usual etched top line, dark over light, as the window's own divider was.
        {ebTop, esLowered, esRaised, 0, {200, 0}, shadow},
        {ebTop, esLowered, esRaised, 0, {200, 1}, light},
        {ebTop, esRaised, esLowered, 0, {200, 0}, light3d},
        {ebTop, esRaised, esLowered, 0, {200, 1}, dark},
        {ebTop, esNone, esRaised, 0, {200, 0}, light},
        {ebLeft | ebBottom, esLowered, esRaised, 0, {0, 10}, shadow},
        {ebLeft | ebBottom, esLowered, esRaised, 0, {1, 10}, light},
        {ebLeft | ebBottom, esLowered, esRaised, 0, {200, 36}, light},
        {ebLeft | ebBottom, esLowered, esRaised, 0, {200, 35}, shadow},
        {ebRight, esRaised, esLowered, 0, {399, 10}, dark},
        {ebRight, esRaised, esLowered, 0, {398, 10}, light3d},
        // Right owns its corner with the top.
        {ebTop | ebRight, esLowered, esNone, 0, {399, 0}, light},
        {ebTop, esLowered, esRaised, 1, {200, 2}, face},
        {ebTop, esLowered, esRaised, 1, {1, 20}, face},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << c.edges << " " << c.outer << c.inner << " at " << c.at.x << "," << c.at.y);
        bar_->SetEdgeBorders(c.edges);
        bar_->SetEdgeOuter(c.outer);
        bar_->SetEdgeInner(c.inner);
        bar_->SetBorderWidth(c.borderWidth);
        ProcessPendingMessages();
        const HDC dc = GetWindowDC(bar_->Handle());
        EXPECT_EQ(GetPixel(dc, c.at.x, c.at.y) & 0xFFFFFF, c.colour);
        ReleaseDC(bar_->Handle(), dc);
    }
}

} // namespace
