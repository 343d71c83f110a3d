// The section renderer of the skin authors' tool over a small skin folder written by the test:
// expected pixels follow from the section values and the blend formula by hand.
#include "SkinRenderer.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "platform/image/BmpFile.h"

namespace {

namespace fs = std::filesystem;

constexpr TColor kGrey = 0x808080;
constexpr TColor kKey = 0xFF00FF;

// A 6 x 6 one-frame border without a mask: grey with a keyed top-left corner pixel.
Bitmap MasterBitmap() {
    Bitmap master(6, 6, 24);
    master.Fill(kGrey);
    master.SetPixel(0, 0, kKey);
    return master;
}

// A parent picture whose every pixel tells where it is.
std::shared_ptr<const Bitmap> Picture() {
    auto picture = std::make_shared<Bitmap>(40, 30, 24);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) picture->SetPixel(x, y, RGB(x * 5, y * 7, 9));
    return picture;
}

class SkinRendererTest : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("skinrender-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "-" + testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        std::ofstream(dir_ / "Options.dat")
            << "[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\n"
               "[FLAT]\r\nCOLOR=3368601\r\nHOTCOLOR=65280\r\n"
               "[CLEAR]\r\nCOLOR=255\r\nTRANSPARENCY=100\r\n"
               "[HALF]\r\nCOLOR=255\r\nTRANSPARENCY=50\r\n"
               "[FRAMED]\r\nCOLOR=16777215\r\nBORDERSMASK="
               "^0000^0000^0006^0006^0002^0002^0002^0002^1^0^0^0\r\n";
        const auto bmp = SaveBMP(MasterBitmap());
        std::ofstream(dir_ / "MASTER.BMP", std::ios::binary)
            .write(reinterpret_cast<const char*>(bmp.data()), std::streamsize(bmp.size()));
        renderer_ = std::make_unique<TSkinRenderer>(dir_.string(), 0, 0);
    }
    void TearDown() override {
        renderer_.reset();
        fs::remove_all(dir_);
    }
    Bitmap Render(const char* section, SIZE size, int state, const TRenderParent& parent) {
        auto bitmap = renderer_->Render(section, size, state, parent);
        EXPECT_TRUE(bitmap.has_value()) << section;
        return bitmap ? *bitmap : Bitmap();
    }

    fs::path dir_;
    std::unique_ptr<TSkinRenderer> renderer_;
};

TEST_F(SkinRendererTest, OpaqueSectionsShowTheirColourInEachState) {
    const TRenderParent parent{0x0000AA, nullptr, {0, 0}};
    const Bitmap normal = Render("FLAT", {7, 5}, 0, parent);
    const Bitmap hot = Render("flat", {7, 5}, 1, parent);
    ASSERT_EQ(normal.Width(), 7);
    ASSERT_EQ(normal.Height(), 5);
    for (POINT p : {POINT{0, 0}, POINT{6, 4}, POINT{3, 2}}) {
        EXPECT_EQ(normal.GetPixel(p.x, p.y), 3368601u);
        EXPECT_EQ(hot.GetPixel(p.x, p.y), 65280u);
    }
}

TEST_F(SkinRendererTest, TransparentSectionsShowTheParentPictureAtTheirPlace) {
    const auto picture = Picture();
    const TRenderParent parent{0, picture, {3, 2}};
    const Bitmap clear = Render("CLEAR", {8, 6}, 0, parent);
    for (POINT p : {POINT{0, 0}, POINT{7, 5}, POINT{4, 1}})
        EXPECT_EQ(clear.GetPixel(p.x, p.y), picture->GetPixel(p.x + 3, p.y + 2));

    // Half transparent red: the parent keeps W = 50*255 div 100 = 127 of 255.
    const Bitmap half = Render("HALF", {8, 6}, 0, parent);
    const TColor under = picture->GetPixel(5 + 3, 4 + 2); // (40, 42, 9)
    const auto blend = [](int p, int c) { return (p * 127 + c * 128 + 127) >> 8; };
    EXPECT_EQ(half.GetPixel(5, 4), RGB(blend(GetRValue(under), 255), blend(GetGValue(under), 0),
                                       blend(GetBValue(under), 0)));
}

TEST_F(SkinRendererTest, KeyedBorderCornersTakeTheParentsColourOrPixels) {
    const Bitmap onColour = Render("FRAMED", {10, 10}, 0, {0x00AA00, nullptr, {0, 0}});
    EXPECT_EQ(onColour.GetPixel(0, 0), 0x00AA00u);
    EXPECT_EQ(onColour.GetPixel(1, 0), TColor(kGrey));
    EXPECT_EQ(onColour.GetPixel(9, 9), TColor(kGrey));

    const auto picture = Picture();
    const Bitmap onPicture = Render("FRAMED", {10, 10}, 0, {0, picture, {6, 4}});
    EXPECT_EQ(onPicture.GetPixel(0, 0), picture->GetPixel(6, 4));
    EXPECT_EQ(onPicture.GetPixel(1, 1), TColor(kGrey));
}

TEST_F(SkinRendererTest, AnUnknownSectionRendersNothing) {
    EXPECT_FALSE(renderer_->Render("NOSUCH", {4, 4}, 0, {}).has_value());
}

TEST(SkinRendererLoad, AFolderWithoutOptionsIsRefusedInOneLine) {
    const fs::path empty = fs::temp_directory_path() / "skinrender-empty";
    fs::create_directories(empty);
    try {
        TSkinRenderer renderer(empty.string(), 0, 0);
        ADD_FAILURE() << "an empty folder loaded";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("Options.dat"), std::string::npos) << e.what();
    }
    fs::remove_all(empty);
}

} // namespace
