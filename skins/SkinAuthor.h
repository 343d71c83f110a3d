#pragma once
// Draws one stored skin from its recipe: every picture into the master bitmap, every section
// of the options file, and the large picture when the recipe has one.
#include <string>
#include <vector>

#include "skins/SkinAtlas.h"
#include "skins/SkinImage.h"
#include "skins/SkinOptions.h"
#include "skins/SkinRecipe.h"

class TSkinAuthor {
  public:
    explicit TSkinAuthor(const TSkinRecipe& recipe) : r_(recipe) {}

    // Writes "Options.dat", "MASTER.BMP" and the picture into the folder (Windows-style path
    // ending in a backslash); with a preview path also a magnified PNG of the master bitmap.
    bool Write(const std::string& folder, const std::string& previewPng);

  private:
    // One box outline per state: its line, and the colours laid inside it along the top edge
    // (light for raised, dark for sunken) and along the bottom edge.
    struct TBoxState {
        COLORREF Line;
        double LineOpacity = 1;
        COLORREF Top = RGB(255, 255, 255);
        double TopOpacity = 0;
        COLORREF Bottom = RGB(0, 0, 0);
        double BottomOpacity = 0;
        COLORREF Underline = RGB(0, 0, 0);
        double UnderlineOpacity = 0; // a line just inside the bottom edge
    };
    struct TBoxShape {
        int Radius = 0;
        int Margin = 3; // border slice width on every side
        bool OpenBottom = false;
        bool SquareBottom = false;
    };

    // outside: the colour the picture usually sits on, for its smooth outline (or kHardEdge).
    int AddBorder(const TSkinImage& image, COLORREF clear, COLORREF outside);
    int AddGlyph(const TSkinImage& image);
    int AddTexture(const TSkinImage& image);
    TImageForm BorderForm(int frames, int margin) const;
    TImageForm BorderForm(int frames, int wl, int wt, int wr, int wb) const;

    TSkinImage Box(const TBoxShape& shape, const std::vector<TBoxState>& states) const;
    static TSkinImage EachFrame(const TSkinImage& strip, int frames,
                                TSkinImage (TSkinImage::*op)() const);
    TSkinImage WindowFrame() const;
    TSkinImage TitleBar() const;
    TSkinImage Arrow(int direction, int size) const;
    TSkinImage Grip(bool vertical) const;
    TSkinImage Mark(int kind, int look, int size) const;
    TSkinImage CaptionGlyph(int kind, int width, int height) const;
    TSkinImage Divider(bool vertical) const;
    TSkinImage Dots(int cell) const;
    bool DarkBars() const;
    COLORREF GripInk() const;
    COLORREF GripShadow() const;
    TSkinImage Ornament() const;
    TSkinImage Thumb(bool vertical) const;

    void DrawImages();
    void DrawBoxes();
    void DrawTabs();
    void DrawScrollParts();
    void DrawMenuParts();
    void DrawGlyphs();
    // 1 for shaded looks, 0 for flat ones: scales the soft light and shade inside boxes.
    double Soft() const;
    void WriteSections();
    void WriteSkinWide();
    void WriteWindows();
    void WriteMenus();
    void WritePanels();
    void WriteButtons();
    void WriteEditsAndMarks();
    void WriteGauges();
    void WriteTabs();
    void WriteScrollBars();
    void PanelLayers(COLORREF top, COLORREF bottom);
    static TImageForm GlyphForm(int frames);
    void Section(const std::string& name, const std::string& parent = "");
    void Look(COLORREF color, COLORREF font, COLORREF hotColor, COLORREF hotFont);
    void Gradient(const std::string& normal, const std::string& hot);

    struct TOwnBitmap {
        std::string Name;
        Bitmap Picture;
    };

    TSkinRecipe r_;
    std::vector<TOwnBitmap> ownBitmaps_;
    TSkinAtlas atlas_;
    TSkinOptions o_;
    // Atlas numbers of the pictures, filled by DrawImages.
    struct {
        int Frame, Title, Button, ButtonBig, Speed, Panel, PanelLow, Edit, Group, Status, MenuLine,
            MenuItem, PopupFrame, Tab[4], Page, ScrollBtn, Track[2], ArrowGlyph[4], GripGlyph[2],
            ComboGlyph, Marks[9], Big[5], Small[5], GripImage, Check, TitleButton, Dots, Divider[2],
            Channel, ThumbH, ThumbV, TickH, TickV, Ornament, Hint, Gauge, Progress, Header, Bar;
    } id_{};
    int boxMargin_ = 3;
};
