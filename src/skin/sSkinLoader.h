#pragma once
// The three passes that turn a parsed options file into the skin records: images, patterns
// and sections. The skin manager calls them in that order over the same parsed file.
#include <memory>
#include <string>

#include "skin/qvIniFile.h"
#include "skin/sSkinFiles.h"
#include "skin/sSkinRecords.h"

// Pictures of this many pixels or more stay JPEG patterns; smaller ones become textures.
constexpr int64_t kPatternMinPixels = 90000;

// Empties the image list and the master bitmap, loads the master bitmap and appends one entry
// per value with an image syntax, sections and keys in file order. Raises EConvertError for a
// digit group that is not a number and EReadError for a damaged bitmap, naming section and key.
void LoadImagePass(const TqvIniFile& ini, const TsSkinFiles& files,
                   std::unique_ptr<Bitmap>& masterBitmap, TsMaskArray& masks,
                   TsSkinManager* manager);

// Empties the pattern list and appends one entry per JPEG picture value; pictures under
// kPatternMinPixels are appended to the image list as textures instead.
void LoadPatternPass(const TqvIniFile& ini, const TsSkinFiles& files, TsPatternArray& patterns,
                     TsMaskArray& masks, TsSkinManager* manager);

// Reads the skin-wide values into skinData (leaving SkinFolder and Loaded alone) and rebuilds
// the section list, one record per section header, general keys resolved through PARENTCLASS.
void LoadSectionPass(const TqvIniFile& ini, TsGeneralDataArray& sections, TsSkinData& skinData);

// A master-bitmap image written "#name (left, top, right, bottom) (count, masktype,
// borderwidth, stretchmode)"; the key decides whether it is a texture.
void ParseMasterRectValue(const std::string& value, const std::string& key, TsMaskData& mask);

// The margins a border image gets when none are given: a third of one frame's width and height.
void ComputeMargins(TsMaskData& mask);

// Runs the three passes over one skin and owns what they produce; the skin tool and the
// tests use it, the skin manager keeps the records itself.
class TsSkinLoader {
  public:
    TsSkinContent Content;

    // A package file (Windows-style path); false when it is missing or refused.
    bool LoadPackageFile(const std::string& fileName);
    // A folder holding "Options.dat"; false when that file is missing.
    bool LoadFolder(const std::string& skinFolder);
    // The bytes of a package held in memory; false when refused.
    bool LoadPackageData(const std::vector<uint8_t>& data, const std::string& sourceName);

    // The options text plus where its files are; the passes in order.
    void LoadOptions(const std::string& optionsText, const TsSkinFiles& files);
};
