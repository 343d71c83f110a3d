// Icons: 32-bit pictures with straight alpha, drawn scaled and blended.
#include <algorithm>
#include <memory>
#include <unordered_map>

#include "platform/gdi/DeviceContext.h"
#include "platform/gdi/Gdi.h"
#include "platform/gdi/GdiRaster.h"
#include "platform/gdi/SystemIcons.h"

namespace {

struct IconEntry {
    std::shared_ptr<const Bitmap> picture; // 32-bit, shared by copies of the icon
    bool shared = false;                   // a loaded icon; DestroyIcon leaves it alone
};

std::unordered_map<uintptr_t, IconEntry>& Icons() {
    static std::unordered_map<uintptr_t, IconEntry> icons;
    return icons;
}

const IconEntry* IconOf(HICON icon) {
    auto& icons = Icons();
    auto it = icons.find(reinterpret_cast<uintptr_t>(icon));
    return it == icons.end() ? nullptr : &it->second;
}

HICON AddIcon(std::shared_ptr<const Bitmap> picture, bool shared) {
    const uintptr_t number = NextHandleNumber();
    Icons().emplace(number, IconEntry{std::move(picture), shared});
    return reinterpret_cast<HICON>(number);
}

// Paints an opaque rectangle [x1, x2) x [y1, y2) of a 32-bit picture.
void Paint(Bitmap& picture, LONG x1, LONG y1, LONG x2, LONG y2, COLORREF color) {
    const RECT r{std::max<LONG>(x1, 0), std::max<LONG>(y1, 0), std::min<LONG>(x2, picture.Width()),
                 std::min<LONG>(y2, picture.Height())};
    for (LONG y = r.top; y < r.bottom; ++y) {
        uint8_t* p = picture.ScanLine(y) + r.left * 4;
        for (LONG x = r.left; x < r.right; ++x, p += 4) {
            p[0] = GetBValue(color);
            p[1] = GetGValue(color);
            p[2] = GetRValue(color);
            p[3] = 255;
        }
    }
}

// A 1-pixel outline of [x1, x2) x [y1, y2) with the inside filled.
void Box(Bitmap& picture, LONG x1, LONG y1, LONG x2, LONG y2, COLORREF edge, COLORREF inside) {
    Paint(picture, x1, y1, x2, y2, edge);
    Paint(picture, x1 + 1, y1 + 1, x2 - 1, y2 - 1, inside);
}

// The program's icon: three bars of a chart standing on an axis, on a transparent square.
// Laid out on a 16-unit grid scaled to the size; the lines stay one unit thick.
std::shared_ptr<const Bitmap> DrawChartIcon(int size) {
    auto picture = std::make_shared<Bitmap>(size, size, 32, true);
    auto at = [size](int units) { return LONG(units * size / 16); };
    const LONG unit = std::max<LONG>(1, at(1));
    const COLORREF axis = RGB(64, 64, 64);
    struct Bar {
        int left, top;
        COLORREF edge, fill;
    } bars[] = {{3, 8, RGB(16, 64, 160), RGB(64, 128, 224)},
                {7, 3, RGB(16, 112, 32), RGB(72, 176, 72)},
                {11, 6, RGB(160, 48, 16), RGB(232, 112, 48)}};
    for (const Bar& bar : bars)
        Box(*picture, at(bar.left), at(bar.top), at(bar.left + 3), at(14), bar.edge, bar.fill);
    Paint(*picture, at(1), at(1), at(1) + unit, at(14) + unit, axis); // vertical axis
    Paint(*picture, at(1), at(14), at(15), at(14) + unit, axis);      // horizontal axis
    return picture;
}

// The standard application icon: a small window with a blue title bar.
std::shared_ptr<const Bitmap> DrawApplicationIcon() {
    auto picture = std::make_shared<Bitmap>(32, 32, 32, true);
    Box(*picture, 2, 4, 30, 28, RGB(0, 0, 0), RGB(255, 255, 255));
    Paint(*picture, 3, 5, 29, 9, RGB(0, 0, 128));
    Paint(*picture, 25, 6, 28, 8, RGB(212, 208, 200)); // close box
    return picture;
}

// One destination row of an icon: n pixels from a 32-bit source row through a column map.
template <UINT Mode, int DB>
void IconRow(uint8_t* d, const uint8_t* sRow, const int* cols, LONG n) {
    for (LONG i = 0; i < n; ++i, d += DB) {
        const uint8_t* s = sRow + cols[i] * 4;
        const unsigned a = s[3];
        if constexpr (Mode == DI_NORMAL) {
            // dst = (src*a + dst*(255-a) + 127) / 255
            for (int k = 0; k < 3; ++k) d[k] = uint8_t((s[k] * a + d[k] * (255 - a) + 127) / 255);
            if constexpr (DB == 4) d[3] = uint8_t((255 * a + d[3] * (255 - a) + 127) / 255);
        } else if constexpr (Mode == DI_IMAGE) {
            d[0] = s[0];
            d[1] = s[1];
            d[2] = s[2];
            if constexpr (DB == 4) d[3] = s[3];
        } else if (a != 0) {
            d[0] = d[1] = d[2] = 0;
        }
    }
}

using IconRowFn = void (*)(uint8_t*, const uint8_t*, const int*, LONG);

template <UINT Mode>
IconRowFn IconRowFor(int destBpp) {
    return destBpp == 4 ? IconRow<Mode, 4> : IconRow<Mode, 3>;
}

} // namespace

HICON CreateIconFromBitmap(const Bitmap& argb) {
    if (argb.Empty()) return nullptr;
    auto picture = std::make_shared<Bitmap>(argb);
    if (picture->BitsPerPixel() != 32) {
        // A 24-bit picture has no opacity of its own: it is opaque.
        picture->SetFormat(32);
        for (int y = 0; y < picture->Height(); ++y) {
            uint8_t* p = picture->ScanLine(y);
            for (int x = 0; x < picture->Width(); ++x) p[x * 4 + 3] = 255;
        }
    }
    return AddIcon(std::move(picture), false);
}

HICON CopyIcon(HICON icon) {
    const IconEntry* entry = IconOf(icon);
    return entry ? AddIcon(entry->picture, false) : nullptr;
}

bool DestroyIcon(HICON icon) {
    auto& icons = Icons();
    auto it = icons.find(reinterpret_cast<uintptr_t>(icon));
    if (it == icons.end() || it->second.shared) return false;
    icons.erase(it);
    return true;
}

bool GetIconSize(HICON icon, SIZE* size) {
    const IconEntry* entry = IconOf(icon);
    if (!entry || !size) return false;
    *size = SIZE{entry->picture->Width(), entry->picture->Height()};
    return true;
}

// Scaling is nearest-neighbour with StretchBlt's map (destination pixel i takes source pixel
// floor((2i + 1) * srcSize / (2 * dstSize))). With DI_NORMAL each channel is blended as
// dst = (src*a + dst*(255 - a) + 127) / 255, a being the icon pixel's alpha; a 32-bit
// destination's alpha becomes (255*a + dstA*(255 - a) + 127) / 255 ("over"). DI_IMAGE alone
// copies the pixels without their alpha (a 32-bit destination takes the icon's alpha);
// DI_MASK alone blackens the pixels where the icon is not fully transparent.
bool DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT, HBRUSH flicker,
                UINT flags) {
    DeviceContext* context = DCOf(dc);
    const IconEntry* entry = IconOf(icon);
    if (!context || !entry || !(flags & DI_NORMAL) || cx < 0 || cy < 0) return false;
    const Bitmap& picture = *entry->picture;
    if (cx == 0) cx = picture.Width();
    if (cy == 0) cy = picture.Height();
    if (flicker) {
        // Win32 composes over the brush off screen; filling first gives the same picture.
        const RECT area{x, y, x + cx, y + cy};
        FillRect(dc, &area, flicker);
    }

    const DrawTarget target = TargetOf(*context);
    if (target.Empty()) return true;
    const RECT wanted = target.ToSurface(context->ToDevice(RECT{x, y, x + cx, y + cy}));
    RECT box = target.clip.front(), visible;
    for (const RECT& r : target.clip) UnionRect(box, box, r);
    if (!IntersectRect(visible, wanted, box)) return true;

    std::vector<int> cols;
    for (LONG sx = visible.left; sx < visible.right; ++sx)
        cols.push_back(
            int(((2 * int64_t(sx - wanted.left) + 1) * picture.Width()) / (2 * int64_t(cx))));
    Bitmap& dest = *target.bitmap;
    const int db = dest.BytesPerPixel();
    const UINT mode = flags & DI_NORMAL;
    const IconRowFn paintRow = mode == DI_NORMAL  ? IconRowFor<DI_NORMAL>(db)
                               : mode == DI_IMAGE ? IconRowFor<DI_IMAGE>(db)
                                                  : IconRowFor<DI_MASK>(db);

    for (const RECT& clip : target.clip) {
        RECT r;
        if (!IntersectRect(r, visible, clip)) continue;
        uint8_t* dRow = dest.ScanLine(r.top) + r.left * db;
        for (LONG row = r.top; row < r.bottom; ++row, dRow += dest.RowDelta()) {
            const int64_t sy =
                ((2 * int64_t(row - wanted.top) + 1) * picture.Height()) / (2 * int64_t(cy));
            paintRow(dRow, picture.ScanLine(int(sy)), cols.data() + (r.left - visible.left),
                     WidthOf(r));
        }
    }
    return true;
}

bool DrawIcon(HDC dc, int x, int y, HICON icon) {
    return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

HICON ProgramIcon(int size) {
    static std::unordered_map<int, HICON> icons;
    if (size < 8 || size > 256) return nullptr;
    HICON& icon = icons[size];
    if (!icon) icon = AddIcon(DrawChartIcon(size), true);
    return icon;
}

HICON LoadIcon(void* instance, int id) {
    if (!instance) {
        if (id == IDI_APPLICATION) {
            static const HICON application = AddIcon(DrawApplicationIcon(), true);
            return application;
        }
        static std::unordered_map<int, HICON> system;
        HICON& icon = system[id];
        if (!icon) {
            Bitmap picture = DrawSystemIcon(id);
            if (picture.Empty()) return nullptr;
            icon = AddIcon(std::make_shared<const Bitmap>(std::move(picture)), true);
        }
        return icon;
    }
    // The program carries one icon resource: every id of its own module names it.
    return ProgramIcon(32);
}
