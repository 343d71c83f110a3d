#include "skins/SkinOptions.h"

#include <cstdio>

void TSkinOptions::Section(const std::string& name) {
    Line l;
    l.Section = name;
    lines_.push_back(l);
}

void TSkinOptions::Key(const std::string& key, const std::string& value) {
    Line l;
    l.Key = key;
    l.Value = value;
    lines_.push_back(l);
}

void TSkinOptions::Key(const std::string& key, long long value) { Key(key, std::to_string(value)); }

void TSkinOptions::Image(const std::string& key, int atlasId, const TImageForm& form) {
    Line l;
    l.Key = key;
    l.AtlasId = atlasId;
    l.Form = form;
    lines_.push_back(l);
}

std::string TSkinOptions::ImageValue(RECT r, const TImageForm& f) {
    char buf[96];
    if (f.Kind == '@')
        std::snprintf(buf, sizeof buf, "@%04ld@%04ld@%04ld@%04ld@%d@%d", long(r.left), long(r.top),
                      long(r.right), long(r.bottom), f.ImageCount, f.MaskType);
    else if (f.Kind == '~')
        std::snprintf(buf, sizeof buf, "~%04ld~%04ld~%04ld~%04ld~%02d~%d", long(r.left),
                      long(r.top), long(r.right), long(r.bottom), f.StretchMode, f.MaskType);
    else
        std::snprintf(buf, sizeof buf, "^%04ld^%04ld^%04ld^%04ld^%04d^%04d^%04d^%04d^%d^%d^%d^%d",
                      long(r.left), long(r.top), long(r.right), long(r.bottom), f.WL, f.WT, f.WR,
                      f.WB, f.ImageCount, f.MaskType, f.StretchMode, f.BorderWidth);
    return buf;
}

std::string TSkinOptions::Text(const TSkinAtlas& atlas) const {
    std::string out;
    for (const Line& l : lines_) {
        if (!l.Section.empty()) {
            if (!out.empty()) out += "\r\n";
            out += "[" + l.Section + "]\r\n";
            continue;
        }
        const std::string value =
            l.AtlasId >= 0 ? ImageValue(atlas.RectOf(l.AtlasId), l.Form) : l.Value;
        out += l.Key + "=" + value + "\r\n";
    }
    return out;
}
