// The tab control: tabs from a list of texts on any side, with images from an image list,
// reporting a change of tab.
#include "toolkit/TabControl.h"

#include <vector>

#include "ControlTestFixture.h"
#include "toolkit/ImageList.h"

namespace {

class TabControlTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        form_ = MakeForm(300, 200);
        tabs_ = Child<TTabControl>(form_, 0, 0, 300, 200);
        tabs_->SetTabs({"One", "Two"});
        tabs_->OnChange = [this](TComponent*) { changes_.push_back(tabs_->TabIndex()); };
        ShowAndSettle(form_);
    }
    // An image 8 wide and 10 high of one colour.
    TImageList* Images(COLORREF colour) {
        TImageList* list = form_->Make<TImageList>(8, 10);
        Bitmap image(8, 10, 24, true);
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 8; ++x) image.SetPixel(x, y, colour);
        list->Add(image);
        list->Add(image);
        return list;
    }
    TForm* form_ = nullptr;
    TTabControl* tabs_ = nullptr;
    std::vector<int> changes_;
};

TEST_F(TabControlTest, LeftTabsWithImagesAreLongerAndShowTheImage) {
    tabs_->SetTabPosition(tpLeft);
    ProcessPendingMessages();
    const RECT plain = tabs_->TabRect(1);
    tabs_->SetImages(Images(RGB(0, 0, 200)));
    ProcessPendingMessages();
    // Down the side an image adds its height and a gap of 3; across, the tab is at least the
    // image's width and 6 more.
    const RECT withImage = tabs_->TabRect(1);
    EXPECT_EQ(HeightOf(withImage), HeightOf(plain) + 10 + 3);
    EXPECT_EQ(WidthOf(withImage), std::max<int>(WidthOf(plain), 8 + 6));
    // The image sits at the tab's lower end (the text reads upward from it), centred across.
    const int gap = (HeightOf(withImage) - (10 + 3 + (HeightOf(plain) - 12))) / 2;
    const Bitmap shot = ClientShot(tabs_);
    const int x = withImage.left + (WidthOf(withImage) - 8) / 2, y = withImage.bottom - gap - 10;
    EXPECT_EQ(Pixel(shot, x, y), RGB(0, 0, 200));
    EXPECT_EQ(Pixel(shot, x + 7, y + 9), RGB(0, 0, 200));
    EXPECT_NE(Pixel(shot, x, y - 4), RGB(0, 0, 200));

    // A click on the tab selects it; the hit test agrees.
    const POINT centre{(withImage.left + withImage.right) / 2,
                       (withImage.top + withImage.bottom) / 2};
    EXPECT_EQ(tabs_->IndexOfTabAt(centre.x, centre.y), 1);
    Click(ScreenPoint(tabs_, centre.x, centre.y));
    EXPECT_EQ(tabs_->TabIndex(), 1);
    EXPECT_EQ(changes_, std::vector<int>{1});
    EXPECT_EQ(tabs_->DisplayRect().left, 2 + WidthOf(withImage) + 4);
}

} // namespace
