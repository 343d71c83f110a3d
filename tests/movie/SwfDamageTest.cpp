// Damaged and hostile files: Load refuses them with a message naming the fault and its
// offset, or loads and draws less; nothing crashes or reads outside the data (the sanitizer
// build checks that).
#include <cstring>
#include <zlib.h>

#include "MovieTestUtil.h"
#include "tools/swfgen/SwfBitWriter.h"

namespace {

// The header and frame fields of a 10 x 10 movie followed by raw tag bytes, with a file
// length that matches unless told otherwise.
std::vector<uint8_t> RawFws(const std::vector<uint8_t>& tags, int64_t lengthDelta = 0) {
    TSwfBitWriter w;
    w.Rect(SwfRect{0, 200, 0, 200});
    w.U16(12 << 8);
    w.U16(1);
    w.Bytes(tags);
    std::vector<uint8_t> file = {'F', 'W', 'S', 10, 0, 0, 0, 0};
    file.insert(file.end(), w.Data().begin(), w.Data().end());
    const uint32_t length = uint32_t(int64_t(file.size()) + lengthDelta);
    std::memcpy(file.data() + 4, &length, 4); // little-endian host, as the format
    return file;
}

std::vector<uint8_t> Cws(const std::vector<uint8_t>& fws, int64_t lengthDelta = 0) {
    uLongf packedSize = compressBound(uLong(fws.size()));
    std::vector<uint8_t> packed(packedSize);
    compress2(packed.data(), &packedSize, fws.data() + 8, uLong(fws.size() - 8), 6);
    std::vector<uint8_t> file(fws.begin(), fws.begin() + 8);
    file[0] = 'C';
    const uint32_t length = uint32_t(int64_t(fws.size()) + lengthDelta);
    std::memcpy(file.data() + 4, &length, 4);
    file.insert(file.end(), packed.begin(), packed.begin() + long(packedSize));
    return file;
}

std::vector<uint8_t> Tag(int code, const std::vector<uint8_t>& body) {
    TSwfTagWriter t;
    t.Tag(code, body);
    return t.Data();
}

std::vector<uint8_t> RedSquareMovie() {
    TSwfTagWriter t;
    t.DefineShape(1, RectShape(0, 0, 200, 200, SolidFill(Color(255, 0, 0))));
    t.PlaceObject2(PlaceCmd(1, 1));
    t.ShowFrame();
    return MovieBytes(t, 10, 10);
}

} // namespace

TEST(SwfDamage, RefusedWithAMessageAndOffset) {
    const std::vector<uint8_t> good = RedSquareMovie();
    std::vector<uint8_t> badFill = RectShape(0, 0, 20, 20, SolidFill(Color(1, 2, 3))).Encode(1, 3);
    badFill[2 + 5] = 0x77; // the fill type byte after id, 5-byte RECT and style count
    std::vector<uint8_t> cutShape = RectShape(0, 0, 20, 20, SolidFill(Color(1, 2, 3))).Encode(1, 3);
    cutShape.resize(cutShape.size() - 2);
    std::vector<uint8_t> zlibGarbage = Cws(good);
    for (size_t i = 10; i < zlibGarbage.size(); ++i) zlibGarbage[i] ^= 0x5A;
    std::vector<uint8_t> hugeLength = good;
    hugeLength[4] = 0xFF, hugeLength[5] = 0xFF, hugeLength[6] = 0xFF, hugeLength[7] = 0x7F;
    hugeLength[0] = 'C';

    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* message;
    } cases[] = {
        {"empty file", {}, "shorter than the 8-byte"},
        {"header cut short", {'F', 'W', 'S', 10, 30, 0}, "shorter than the 8-byte"},
        {"bad signature", {'G', 'I', 'F', '8', '9', 'a', 0, 0, 0, 0}, "not a SWF"},
        {"LZMA file", {'Z', 'W', 'S', 13, 30, 0, 0, 0, 0, 0}, "LZMA"},
        {"length beyond the data", RawFws(Tag(1, {}), 100), "exceeds the"},
        {"length shorter than the header",
         {'F', 'W', 'S', 10, 4, 0, 0, 0, 0},
         "shorter than the header"},
        {"frame RECT cut short", {'F', 'W', 'S', 10, 10, 0, 0, 0, 0x78, 0}, "SWF header"},
        {"CWS with broken zlib", zlibGarbage, "compressed data"},
        {"CWS inflating to less than stated", Cws(good, 50), "ends after"},
        {"CWS inflating to more than stated", Cws(good, -5), "holds more than"},
        {"CWS asking for 2 GB", hugeLength, "exceeds the limit"},
        {"tag claims more than remains", RawFws({0xBF, 0x0F, 0xE8, 0x03, 0, 0, 1, 2, 3}),
         "claims 1000 bytes but only 3 remain"},
        {"tag header cut short", RawFws({0x40}), "tag header is cut short"},
        {"shape records past their tag", RawFws(Tag(32, cutShape)), "DefineShape3"},
        {"unknown fill style", RawFws(Tag(32, badFill)), "unknown fill style type 119"},
        {"PlaceObject2 fields past their tag", RawFws(Tag(26, {0x06, 1, 0, 1})), "PlaceObject2"},
    };
    for (const Case& c : cases) {
        std::string error;
        std::unique_ptr<TSwfMovie> movie = TSwfMovie::Load(c.bytes.data(), c.bytes.size(), &error);
        EXPECT_FALSE(movie) << c.name;
        EXPECT_NE(error.find(c.message), std::string::npos) << c.name << ": " << error;
        EXPECT_NE(error.find("at offset"), std::string::npos) << c.name << ": " << error;
    }
}

TEST(SwfDamage, EveryTruncationOfAGoodFileIsRefusedOrDrawn) {
    // Cutting a file anywhere must not crash; a cut inside the header or a tag is an error.
    for (bool compress : {false, true}) {
        TSwfTagWriter t;
        t.DefineShape(1, RectShape(0, 0, 200, 200, SolidFill(Color(255, 0, 0))));
        t.PlaceObject2(PlaceCmd(1, 1));
        t.ShowFrame();
        const std::vector<uint8_t> whole = MovieBytes(t, 10, 10, compress);
        for (size_t n = 0; n < whole.size(); ++n) {
            std::string error;
            auto movie = TSwfMovie::Load(whole.data(), n, &error);
            EXPECT_FALSE(movie) << "cut at " << n;
            EXPECT_FALSE(error.empty());
        }
    }
}

TEST(SwfDamage, DamageInsideAShapeOrPlacementDrawsLess) {
    const SwfRgba red = Color(255, 0, 0), bg = Color(0, 0, 90);
    // Square one uses fill index 3 of two; square two is sound.
    TSwfShapeWriter s;
    const int fill = s.AddFill(SolidFill(red));
    s.AddFill(SolidFill(Color(0, 255, 0)));
    s.SetStyles(0, 3, 0);
    s.MoveTo(0, 0);
    s.LineTo(kTw, 0);
    s.LineTo(kTw, kTw);
    s.LineTo(0, kTw);
    s.LineTo(0, 0);
    s.SetStyles(0, fill, 0);
    s.MoveTo(2 * kTw, 0);
    s.LineTo(3 * kTw, 0);
    s.LineTo(3 * kTw, kTw);
    s.LineTo(2 * kTw, kTw);
    s.LineTo(2 * kTw, 0);
    // A lossless bitmap whose zlib data ends early, used by a fill: the fill draws nothing.
    TSwfTagWriter t;
    t.SetBackgroundColor(bg);
    t.DefineShape(1, s, 2); // two fills take 2 bits of index, which can say 3
    std::vector<uint8_t> lossless = Tag(20, {5, 0, 5, 2, 0, 2, 0, 0x78, 0x9C, 0x63});
    t.Tag(20, std::vector<uint8_t>(lossless.begin() + 2, lossless.end()));
    SwfFillStyle bitmapFill;
    bitmapFill.kind = SwfFillKind::Bitmap;
    bitmapFill.bitmapId = 5;
    bitmapFill.matrix.scaleX = bitmapFill.matrix.scaleY = kTw;
    t.DefineShape(2, RectShape(3 * kTw, 0, 4 * kTw, kTw, bitmapFill));
    t.PlaceObject2(PlaceCmd(1, 1));
    t.PlaceObject2(PlaceCmd(2, 2));
    t.PlaceObject2(PlaceCmd(3, 99)); // never defined
    t.ShowFrame();
    auto movie = LoadOrFail(MovieBytes(t, 4, 1));
    ASSERT_TRUE(movie);
    ExpectPicture(RenderWhole(*movie), {"..#."}, {{'.', Ref(bg)}, {'#', Ref(red)}},
                  "damaged-shape");
}

TEST(SwfDamage, SelfAndMutuallyNestedSpritesStop) {
    // Sprite 2 places itself twice and sprite 3, which places sprite 2 again: without limits
    // this grows without end. The square at the top level must still draw.
    TSwfTagWriter t;
    t.SetBackgroundColor(Color(0, 0, 0));
    t.DefineShape(1, RectShape(0, 0, kTw, kTw, SolidFill(Color(255, 0, 0))));
    TSwfTagWriter two, three;
    two.PlaceObject2(PlaceCmd(1, 2, Translation(kTw, 0)));
    two.PlaceObject2(PlaceCmd(2, 2, Translation(0, kTw)));
    two.PlaceObject2(PlaceCmd(3, 3));
    two.PlaceObject2(PlaceCmd(4, 1));
    two.ShowFrame();
    two.ShowFrame();
    three.PlaceObject2(PlaceCmd(1, 2));
    three.PlaceObject2(PlaceCmd(2, 3));
    three.ShowFrame();
    t.DefineSprite(2, two);
    t.DefineSprite(3, three);
    t.PlaceObject2(PlaceCmd(1, 2, Translation(5 * kTw, 5 * kTw)));
    t.PlaceObject2(PlaceCmd(2, 1));
    t.ShowFrame();
    t.ShowFrame();
    auto movie = LoadOrFail(MovieBytes(t, 8, 8));
    ASSERT_TRUE(movie);
    for (int i = 0; i < 3; ++i) {
        Bitmap b = RenderWhole(*movie);
        EXPECT_EQ(b.GetPixel(0, 0), RGB(255, 0, 0));
        movie->NextFrame();
    }
}

TEST(SwfDamage, DefinitionsInsideASpriteAreSkipped) {
    TSwfTagWriter inner;
    inner.DefineShape(7, RectShape(0, 0, kTw, kTw, SolidFill(Color(255, 0, 0))));
    inner.PlaceObject2(PlaceCmd(1, 7));
    inner.ShowFrame();
    TSwfTagWriter t;
    t.SetBackgroundColor(Color(0, 0, 0));
    t.DefineSprite(2, inner);
    t.PlaceObject2(PlaceCmd(1, 2));
    t.ShowFrame();
    auto movie = LoadOrFail(MovieBytes(t, 1, 1));
    ASSERT_TRUE(movie);
    EXPECT_EQ(RenderWhole(*movie).GetPixel(0, 0), RGB(0, 0, 0));
}

TEST(SwfDamage, DegenerateMatricesAndHugeDestinationsAreHarmless) {
    // A zero scale has no area; a destination far larger than the bitmap costs only the
    // bitmap's pixels.
    TSwfTagWriter t;
    t.SetBackgroundColor(Color(0, 0, 0));
    t.DefineShape(1, RectShape(0, 0, 200, 200, SolidFill(Color(255, 0, 0))));
    SwfMatrix flat;
    flat.scaleX = 0;
    t.PlaceObject2(PlaceCmd(1, 1, flat));
    t.PlaceObject2(PlaceCmd(2, 1, Translation(100, 0)));
    t.ShowFrame();
    auto movie = LoadOrFail(MovieBytes(t, 10, 10));
    ASSERT_TRUE(movie);
    Bitmap b = RenderWhole(*movie);
    EXPECT_EQ(b.GetPixel(2, 5), RGB(0, 0, 0));
    EXPECT_EQ(b.GetPixel(7, 5), RGB(255, 0, 0));
    Bitmap small(4, 4, 32);
    movie->Render(small, RECT{-2000000000, -2000000000, 2000000000, 2000000000});
    movie->Render(small, RECT{3, 3, 3, 9});     // empty: nothing written
    movie->Render(small, RECT{10, 10, 20, 20}); // off the bitmap
}

TEST(SwfDamage, FloodsOfTinyRecordsAreRefusedBeforeTheyCostMemory) {
    // Each of these records takes a few bytes (a few bits for edges) in the file but far
    // more once read; a compressed file could carry millions of them in a few kilobytes.
    std::vector<uint8_t> frames, commands;
    for (int i = 0; i < 1'000'001; ++i) frames.insert(frames.end(), {0x40, 0x00});
    for (int i = 0; i < 500'001; ++i) commands.insert(commands.end(), {0x02, 0x07, 1, 0});
    TSwfShapeWriter edges;
    edges.SetStyles(0, edges.AddFill(SolidFill(Color(1, 2, 3))), 0);
    edges.MoveTo(0, 0);
    for (int i = 0; i < 1'000'001; ++i) edges.LineTo((i + 1) % 2, 0);
    TSwfTagWriter edgeTag;
    edgeTag.DefineShape(1, edges);

    struct Case {
        const char* name;
        std::vector<uint8_t> tags;
        const char* message;
    } cases[] = {
        {"frames", frames, "too many frames"},
        {"commands", commands, "display-list commands"},
        {"edges", edgeTag.Data(), "too many shape edges"},
    };
    for (const Case& c : cases) {
        const std::vector<uint8_t> file = Cws(RawFws(c.tags));
        EXPECT_LT(file.size(), 100'000u) << c.name; // small on disk
        std::string error;
        EXPECT_FALSE(TSwfMovie::Load(file.data(), file.size(), &error)) << c.name;
        EXPECT_NE(error.find(c.message), std::string::npos) << c.name << ": " << error;
    }
}
