#pragma once
// Renders skin sections the way a skinned control composes its background, for the people who
// author skins: a real skin manager loads the skin, and each section is painted for a control
// that sits on a plain-coloured parent or on a parent picture.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/WinTypes.h"
#include "platform/gdi/Bitmap.h"
#include "platform/gdi/SysColors.h"

class TApplication;
class TForm;
class TsSkinManager;
class TRenderBackdrop;

// Where the control sits: on a plain colour, or at At inside Picture (a ready parent cache).
struct TRenderParent {
    TColor Color = 0;
    std::shared_ptr<const Bitmap> Picture;
    POINT At{0, 0};
};

class TSkinRenderer {
  public:
    // skinPath is a skin folder (with "Options.dat") or a package file; throws
    // std::runtime_error with one line when it cannot be loaded.
    TSkinRenderer(const std::string& skinPath, int hueOffset, int saturation);
    // Without a skin yet (LoadPackage gives it one).
    TSkinRenderer(int hueOffset, int saturation);
    // Loads the skin of a package's bytes, in place of the one before; the loader's exceptions
    // pass through.
    void LoadPackage(std::vector<uint8_t> package);
    ~TSkinRenderer();
    TSkinRenderer(const TSkinRenderer&) = delete;
    TSkinRenderer& operator=(const TSkinRenderer&) = delete;

    const TsSkinManager& Manager() const { return *manager_; }
    // The section painted into a new bitmap of that size, with its corners repaired; nothing
    // when the skin has no such section.
    std::optional<Bitmap> Render(const std::string& section, SIZE size, int state,
                                 const TRenderParent& parent);

  private:
    std::unique_ptr<TApplication> app_;
    std::unique_ptr<TsSkinManager> manager_;
    TForm* form_ = nullptr;
    TRenderBackdrop* backdrop_ = nullptr;
    int loads_ = 0;
};
