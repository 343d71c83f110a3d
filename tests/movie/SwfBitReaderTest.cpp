// Bit fields as SWF packs them: most significant bit first, signed fields sign-extended,
// 16.16 fixed point; every read stops at the end of its range.
#include "movie/SwfBitReader.h"

#include <gtest/gtest.h>

#include "movie/SwfError.h"

TEST(SwfBitReader, FieldsAcrossByteBoundaries) {
    // 1011 0011 1100 0101 1000 0000: UB3 = 101, SB5 = 10011 (-13), UB4 = 1100,
    // SB4 = 0101 (5), SB1 = 1 (-1), UB0 = 0.
    const uint8_t data[] = {0xB3, 0xC5, 0x80};
    TSwfBitReader r(data, sizeof data, 0, "test");
    EXPECT_EQ(r.UB(3), 5u);
    EXPECT_EQ(r.SB(5), -13);
    EXPECT_EQ(r.UB(4), 12u);
    EXPECT_EQ(r.SB(4), 5);
    EXPECT_EQ(r.SB(1), -1);
    EXPECT_EQ(r.UB(0), 0u);
    r.Align();
    EXPECT_EQ(r.Position(), 3u);
}

TEST(SwfBitReader, FixedPointAndLittleEndianIntegers) {
    // FB 18 bits 10 0000 0000 0000 0000 = -131072 / 65536 = -2; then U16 0x1234, S16 -2.
    const uint8_t data[] = {0x80, 0x00, 0x00, 0x34, 0x12, 0xFE, 0xFF};
    TSwfBitReader r(data, sizeof data, 0, "test");
    EXPECT_DOUBLE_EQ(r.FB(18), -2.0);
    EXPECT_EQ(r.U16(), 0x1234);
    EXPECT_EQ(r.S16(), -2);
}

TEST(SwfBitReader, ReadsPastTheEndThrowWithTheFileOffset) {
    const uint8_t data[] = {0xFF, 0xFF};
    struct Case {
        const char* name;
        void (*read)(TSwfBitReader&);
    } cases[] = {
        {"bits", [](TSwfBitReader& r) { r.UB(17); }},
        {"bits after some",
         [](TSwfBitReader& r) {
             r.UB(9);
             r.SB(8);
         }},
        {"u32", [](TSwfBitReader& r) { r.U32(); }},
        {"string without end", [](TSwfBitReader& r) { r.String(); }},
        {"skip", [](TSwfBitReader& r) { r.Skip(3); }},
        {"rect", [](TSwfBitReader& r) { r.Rect(); }},
        {"too wide field", [](TSwfBitReader& r) { r.UB(33); }},
    };
    for (const Case& c : cases) {
        TSwfBitReader r(data, sizeof data, 1000, "tag X");
        try {
            c.read(r);
            ADD_FAILURE() << c.name << ": no error";
        } catch (const SwfError& e) {
            EXPECT_GE(e.Offset(), 1000u) << c.name;
            EXPECT_LE(e.Offset(), 1002u) << c.name;
            EXPECT_NE(std::string(e.what()).find("tag X"), std::string::npos) << c.name;
        }
    }
}

TEST(SwfBitReader, MatrixAndColorTransformRecords) {
    // MATRIX: HasScale 1, NScaleBits 19 (2.0 needs 19 signed bits), scale 2.0 and 0.5;
    // HasRotate 0; NTranslateBits 5, translate -3 and 7. Packed by hand:
    // 1 10011 0100000000000000000 0001000000000000000 0 00101 11101 00111 (0000)
    const uint8_t matrix[] = {0xCD, 0x00, 0x00, 0x08, 0x00, 0x01, 0x7A, 0x70};
    TSwfBitReader r(matrix, sizeof matrix, 0, "test");
    SwfMatrix m = r.Matrix();
    EXPECT_DOUBLE_EQ(m.scaleX, 2.0);
    EXPECT_DOUBLE_EQ(m.scaleY, 0.5);
    EXPECT_DOUBLE_EQ(m.rotateSkew0, 0);
    EXPECT_DOUBLE_EQ(m.translateX, -3);
    EXPECT_DOUBLE_EQ(m.translateY, 7);
    EXPECT_EQ(r.Position(), sizeof matrix);

    // CXFORMWITHALPHA: HasAdd 1, HasMult 0, Nbits 4, add terms 1, -1, 7, -8.
    // bits: 1 0 0100 0001 1111 0111 1000 -> 1001 0000 0111 1101 1110 00(00)
    const uint8_t cx[] = {0x90, 0x7D, 0xE0};
    TSwfBitReader c(cx, sizeof cx, 0, "test");
    SwfColorTransform t = c.ColorTransform(true);
    EXPECT_EQ(t.add[0], 1);
    EXPECT_EQ(t.add[1], -1);
    EXPECT_EQ(t.add[2], 7);
    EXPECT_EQ(t.add[3], -8);
    EXPECT_EQ(t.mult[0], 256);
}
