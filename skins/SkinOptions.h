#pragma once
// The options file of a skin being written: sections and keys in the order they are given,
// with image values that name places in the master bitmap filled in once it is packed.
#include <string>
#include <vector>

#include "platform/core/WinTypes.h"
#include "skins/SkinAtlas.h"

// How an image value in the master bitmap is written.
struct TImageForm {
    char Kind = '^';    // '^' border, '@' glyph, '~' texture
    int ImageCount = 1; // state frames side by side
    int MaskType = 1;   // 1: the lower half is the mask
    int WL = 0, WT = 0, WR = 0, WB = 0;
    int StretchMode = 0; // borders: 0 tiles the edges; textures: the draw mode
    int BorderWidth = 0;
};

class TSkinOptions {
  public:
    void Section(const std::string& name);
    void Key(const std::string& key, const std::string& value);
    void Key(const std::string& key, long long value);
    void Color(const std::string& key, COLORREF color) { Key(key, (long long)color); }
    void Bool(const std::string& key, bool value) { Key(key, value ? "TRUE" : "FALSE"); }
    void Image(const std::string& key, int atlasId, const TImageForm& form);

    // The file's text with every image value resolved against the packed atlas.
    std::string Text(const TSkinAtlas& atlas) const;

  private:
    struct Line {
        std::string Section; // a section header when not empty
        std::string Key, Value;
        int AtlasId = -1;
        TImageForm Form;
    };
    static std::string ImageValue(RECT r, const TImageForm& f);
    std::vector<Line> lines_;
};
