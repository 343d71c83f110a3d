#pragma once
// Plain data of a parsed SWF movie: what the reader produces, the display list plays and the
// renderer draws. Coordinates are in twips (1/20 pixel) unless a name says otherwise.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

struct SwfRgba {
    uint8_t r = 0, g = 0, b = 0, a = 255;
};

struct SwfRect {
    int32_t xMin = 0, xMax = 0, yMin = 0, yMax = 0;
};

// x' = scaleX * x + rotateSkew1 * y + translateX;  y' = rotateSkew0 * x + scaleY * y + translateY
struct SwfMatrix {
    double scaleX = 1, rotateSkew0 = 0, rotateSkew1 = 0, scaleY = 1;
    double translateX = 0, translateY = 0;
};

// c' = clamp(c * mult / 256 + add), per channel (red, green, blue, alpha).
struct SwfColorTransform {
    int mult[4] = {256, 256, 256, 256};
    int add[4] = {0, 0, 0, 0};
};

struct SwfGradientStop {
    uint8_t ratio = 0;
    SwfRgba color;
};

enum class SwfFillKind : uint8_t { Solid, Linear, Radial, Bitmap };
enum class SwfSpread : uint8_t { Pad, Reflect, Repeat };

struct SwfFillStyle {
    SwfFillKind kind = SwfFillKind::Solid;
    SwfRgba color;                      // solid fills
    SwfMatrix matrix;                   // gradient square or bitmap pixels -> shape space
    std::vector<SwfGradientStop> stops; // gradients
    SwfSpread spread = SwfSpread::Pad;
    double focal = 0;      // radial only, -1..1 along the x axis
    uint16_t bitmapId = 0; // bitmap fills
    bool repeat = false;   // bitmap fills: tile instead of extending the edge
    bool smooth = true;
};

struct SwfLineStyle {
    uint16_t width = 0; // twips; 0 draws a hairline
    SwfRgba color;
};

enum class SwfSegmentKind : uint8_t { Move, Line, Curve };

struct SwfSegment {
    SwfSegmentKind kind = SwfSegmentKind::Move;
    double cx = 0, cy = 0; // control point of a curve
    double x = 0, y = 0;   // end point
};

// One fill style's closed contours, or one line style's strokes, in drawing order.
struct SwfShapePath {
    bool isLine = false;
    int style = 0; // index into SwfShape::fills or SwfShape::lines
    std::vector<SwfSegment> segments;
};

struct SwfShape {
    SwfRect bounds;
    std::vector<SwfFillStyle> fills;
    std::vector<SwfLineStyle> lines;
    std::vector<SwfShapePath> paths;
};

// Premultiplied 0xAARRGGBB pixels, top row first, as cairo takes them.
struct SwfBitmap {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
};

enum class SwfCommandKind : uint8_t { Place, Remove };

struct SwfPlaceCommand {
    SwfCommandKind kind = SwfCommandKind::Place;
    uint16_t depth = 0;
    bool move = false; // modify (or replace) what is at depth instead of placing anew
    bool hasCharacter = false;
    uint16_t characterId = 0;
    bool hasMatrix = false;
    SwfMatrix matrix;
    bool hasColorTransform = false;
    SwfColorTransform colorTransform;
    bool hasRatio = false;
    uint16_t ratio = 0;
    bool isClipLayer = false; // a mask for the depths above it; not drawn itself
};

struct SwfFrame {
    std::vector<SwfPlaceCommand> commands;
};

struct SwfTimeline {
    std::vector<SwfFrame> frames; // at least one
};

struct SwfDocument {
    int version = 0;
    SwfRect frameSize;
    double frameRate = 12;
    int declaredFrameCount = 0;
    SwfRgba background{255, 255, 255, 255};
    SwfTimeline timeline;
    std::map<uint16_t, SwfShape> shapes;
    std::map<uint16_t, SwfTimeline> sprites;
    std::map<uint16_t, std::shared_ptr<const SwfBitmap>> bitmaps;
};
