#include "windows/qvScrollBar.h"

#include <algorithm>
#include <cstdint>

#include "skin/sSkinManager.h"

namespace {

int Clamped(int64_t v) { return int(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX)); }

} // namespace

int TqvScrollBar::Range() const { return Clamped(int64_t(ScrollInfo.nMax) - ScrollInfo.nMin); }

bool TqvScrollBar::FlagsEnabled() const {
    const unsigned bothArrows = sbfFirstArrowDisabled | sbfSecondArrowDisabled;
    return (StyleFlags & bothArrows) != bothArrows && !(StyleFlags & sbfRangeDisabled);
}

int TqvScrollBar::Thickness() const {
    if (ThicknessOverride >= 0) return ThicknessOverride;
    return GetSystemMetrics(Vertical() ? SM_CXVSCROLL : SM_CYHSCROLL);
}

int TqvScrollBar::ArrowLength(const TsSkinManager* manager) const {
    if (ArrowOverride >= 0) return ArrowOverride;
    const int system = GetSystemMetrics(SM_CXHSCROLL);
    if (!manager) return system;
    // The left arrow's section decides for both orientations whether the skin's own arrow
    // size counts.
    const TsCachedIndexes& c = manager->CachedIndexes;
    if (!manager->SectionIndexValid(c.ScrollBtnLeft.Section) ||
        !manager->SectionsData[size_t(c.ScrollBtnLeft.Section)].ReservedBoolean ||
        !manager->ImageIndexValid(c.ScrollBtnLeft.BordersMask))
        return system;
    if (!Vertical())
        return std::max(system, int(manager->GetMaskFrameSize(c.ScrollBtnLeft.BordersMask).cx));
    return std::max(system, int(manager->GetMaskFrameSize(c.ScrollBtnTop.BordersMask).cy));
}

TqvThumb TqvScrollBar::Thumb(int length, int arrow) const {
    TqvThumb t;
    t.Track = length - 2 * arrow;
    const int range = Range();
    if (range < 0) return t;
    const int page = int(ScrollInfo.nPage);
    if (page != 0) {
        const int steps = Clamped(int64_t(range) + 1);
        t.Length = std::max(MulDiv(page, t.Track, steps), MinThumbLength);
    } else {
        t.Length = arrow;
    }
    // The positions the thumb can stand at: range - max(page, 1) + 1 of them.
    const int positions = Clamped(int64_t(range) - std::max(page, 1) + 1);
    const int room = std::max(0, t.Track - t.Length);
    const int offset =
        MulDiv(Clamped(int64_t(ScrollInfo.nPos) - ScrollInfo.nMin), t.Track - t.Length, positions);
    t.Offset = std::clamp(offset, 0, room);
    return t;
}

int TqvScrollBar::PartAt(int along, int length, int arrow) const {
    return PartAt(along, length, arrow, Thumb(length, arrow));
}

int TqvScrollBar::PartAt(int along, int length, int arrow, const TqvThumb& thumb) const {
    if (along < 0 || along >= length) return spNone;
    const int d = ArrowRoom(length, arrow);
    if (along < d) return spLineUp;
    if (along >= length - d) return spLineDown;
    if (thumb.Length >= thumb.Track) return spNone;
    const int start = thumb.Start(arrow);
    if (along < start) return spPageUp;
    if (along < start + thumb.Length) return spThumb;
    return spPageDown;
}

int TqvScrollBar::PositionForThumb(int thumbOffset, const TqvThumb& thumb) const {
    const int range = Range();
    if (range < 1) return thumbOffset;
    const int room = thumb.Track - thumb.Length;
    if (room <= 0) return ScrollInfo.nMin;
    // The last stop is range - max(page, 1) + 1 steps from the minimum, where the thumb's
    // own formula puts the thumb at the track's end.
    const int steps = Clamped(int64_t(range) - std::max(int(ScrollInfo.nPage), 1) + 1);
    return Clamped(int64_t(ScrollInfo.nMin) + MulDiv(thumbOffset, steps, room));
}
