#pragma once
// The component that owns the application's active skin: it loads it, recolours it, answers
// look-ups by section and image name and tells every window when the skin changes.
#include <memory>
#include <string>
#include <string_view>

#include "skin/sSkinRecords.h"
#include "toolkit/Component.h"

class TsSkinManager : public TComponent {
  public:
    explicit TsSkinManager(TComponent* owner);
    ~TsSkinManager() override;
    const char* ClassName() const override { return "TsSkinManager"; }

    // The loaded skin.
    TsGeneralDataArray SectionsData;
    TsMaskArray MasksData;
    TsPatternArray PatternsData;
    std::unique_ptr<Bitmap> MasterBitmap;
    TsSkinData SkinData;

    // Look-ups; -1 when nothing is found.
    int GetSectionIndex(std::string_view sectionName) const;
    int GetImageEntryIndex(int sectionIndex, std::string_view sectionName,
                           std::string_view propertyName) const;
    int FindImageEntryIndex(std::string_view sectionName, std::string_view propertyName) const;
    int GetTextureImageIndex(int sectionIndex, std::string_view sectionName,
                             std::string_view propertyName) const;
    int GetPatternEntryIndex(int sectionIndex, std::string_view sectionName,
                             std::string_view propertyName) const;
    bool ImageIndexValid(int index) const;
    bool SectionIndexValid(int index) const;
};
