// The image: the picture is drawn unscaled at the top-left and clipped to the control (or
// stretched), files are read by their content, and bad files leave the picture alone.
#include "toolkit/Image.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "ControlTestFixture.h"
#include "platform/image/BmpFile.h"
#include "platform/image/JpegFile.h"
#include "platform/image/PngFile.h"

namespace {

// Every pixel of the test pictures is told apart by its place.
COLORREF PictureColor(int x, int y) { return RGB(40 * x + 5, 50 * y + 5, 200); }

Bitmap MakePicture(int w, int h) {
    Bitmap b(w, h, 24);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) b.SetPixel(x, y, PictureColor(x, y));
    return b;
}

class ImageTest : public ControlTest {
  protected:
    void SetUp() override {
        ControlTest::SetUp();
        char pattern[] = "/tmp/image-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        form_ = MakeForm(100, 60);
        form_->SetColor(RGB(1, 1, 1));
    }
    void TearDown() override {
        ControlTest::TearDown();
        std::filesystem::remove_all(dir_);
    }
    std::string WriteFile(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::filesystem::path path = dir_ / name;
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return path.string();
    }
    std::filesystem::path dir_;
    TForm* form_ = nullptr;
};

TEST_F(ImageTest, PictureIsDrawnUnscaledAtTheTopLeftAndClippedToTheControl) {
    // A 6x4 picture in a 4x3 control at (10,20), and the same in a 10x10 control at (30,5).
    auto* small = Child<TImage>(form_, 10, 20, 4, 3);
    small->SetPicture(MakePicture(6, 4));
    auto* large = Child<TImage>(form_, 30, 5, 10, 10);
    large->SetPicture(MakePicture(6, 4));
    ShowAndSettle(form_);
    const Bitmap shot = ClientShot(form_);
    for (int y = -1; y <= 3; ++y)
        for (int x = -1; x <= 4; ++x) {
            const bool inside = x >= 0 && x < 4 && y >= 0 && y < 3;
            EXPECT_EQ(Pixel(shot, 10 + x, 20 + y), inside ? PictureColor(x, y) : RGB(1, 1, 1))
                << x << "," << y;
        }
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x) {
            const bool onPicture = x < 6 && y < 4;
            EXPECT_EQ(Pixel(shot, 30 + x, 5 + y), onPicture ? PictureColor(x, y) : RGB(1, 1, 1))
                << x << "," << y;
        }
}

TEST_F(ImageTest, StretchFillsTheControlNearestNeighbour) {
    auto* image = Child<TImage>(form_, 0, 0, 4, 4);
    image->SetPicture(MakePicture(2, 2));
    image->SetStretch(true);
    ShowAndSettle(form_);
    const Bitmap shot = ClientShot(form_);
    // Destination pixel i of 4 takes source pixel floor((2i + 1) * 2 / 8) = i / 2.
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(Pixel(shot, x, y), PictureColor(x / 2, y / 2)) << x << "," << y;
}

TEST_F(ImageTest, FilesAreReadByContentAndBadOnesKeepThePicture) {
    auto* image = Child<TImage>(form_, 0, 0, 10, 10);
    const Bitmap picture = MakePicture(3, 2);
    const std::vector<uint8_t> bmp = SaveBMP(picture);
    const std::vector<uint8_t> png = EncodePNG(picture);
    std::string error;
    // A PNG named .bmp is still a PNG.
    for (const std::string& path : {WriteFile("a.bmp", bmp), WriteFile("b.bmp", png)}) {
        SCOPED_TRACE(path);
        image->ClearPicture();
        ASSERT_TRUE(image->LoadFromFile(path, &error)) << error;
        ASSERT_NE(image->Picture(), nullptr);
        EXPECT_EQ(image->Picture()->Width(), 3);
        EXPECT_EQ(image->Picture()->Height(), 2);
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x)
                EXPECT_EQ(image->Picture()->GetPixel(x, y) & 0xFFFFFF, PictureColor(x, y));
    }
    // JPEG is lossy: its size is checked, and that it replaced the picture.
    ASSERT_TRUE(image->LoadFromFile(WriteFile("c.jpg", EncodeJPEG(MakePicture(5, 7), 90)), &error))
        << error;
    EXPECT_EQ(image->Picture()->Width(), 5);
    EXPECT_EQ(image->Picture()->Height(), 7);
    ASSERT_TRUE(image->LoadFromFile(WriteFile("a2.bmp", bmp), &error)) << error;

    const std::vector<uint8_t> truncated(bmp.begin(), bmp.begin() + 20);
    const std::string bad[] = {WriteFile("short.bmp", truncated), WriteFile("text.jpg", {'h', 'i'}),
                               WriteFile("empty.png", {}), (dir_ / "missing.png").string()};
    for (const std::string& path : bad) {
        SCOPED_TRACE(path);
        error.clear();
        EXPECT_FALSE(image->LoadFromFile(path, &error));
        EXPECT_FALSE(error.empty());
        ASSERT_NE(image->Picture(), nullptr);
        EXPECT_EQ(image->Picture()->Width(), 3) << "the old picture stays";
    }
}

TEST_F(ImageTest, ClickReachesOnClick) {
    auto* image = Child<TImage>(form_, 10, 10, 20, 20);
    int clicks = 0;
    image->OnClick = [&clicks](TComponent*) { ++clicks; };
    ShowAndSettle(form_);
    Click(ScreenPoint(image, 5, 5));
    Click(ScreenPoint(image, 25, 5)); // outside
    EXPECT_EQ(clicks, 1);
}

} // namespace
