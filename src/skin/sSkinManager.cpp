#include "skin/sSkinManager.h"

namespace {

// The first entry of `items` with this section and property, following the section's
// PARENTCLASS chain when the section itself has none. `accept` filters the entries.
template <typename Items, typename Accept>
int FindInherited(const TsSkinManager& manager, const Items& items, int sectionIndex,
                  std::string_view sectionName, std::string_view propertyName, Accept accept) {
    // A chain longer than the section list has a loop in it.
    for (size_t hops = 0; hops <= manager.SectionsData.size(); ++hops) {
        if (sectionIndex < 0 || sectionName.empty()) return -1;
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i].SectionName == sectionName && items[i].PropertyName == propertyName &&
                accept(items[i]))
                return int(i);
        if (size_t(sectionIndex) >= manager.SectionsData.size()) return -1;
        const std::string& parent = manager.SectionsData[size_t(sectionIndex)].ParentClass;
        if (parent.empty() || parent == sectionName) return -1;
        sectionIndex = manager.GetSectionIndex(parent);
        sectionName = parent;
    }
    return -1;
}

} // namespace

TsSkinManager::TsSkinManager(TComponent* owner) : TComponent(owner) {}

TsSkinManager::~TsSkinManager() { Destroying(); }

int TsSkinManager::GetSectionIndex(std::string_view sectionName) const {
    for (size_t i = 0; i < SectionsData.size(); ++i)
        if (SectionsData[i].SectionName == sectionName) return int(i);
    return -1;
}

int TsSkinManager::GetImageEntryIndex(int sectionIndex, std::string_view sectionName,
                                      std::string_view propertyName) const {
    return FindInherited(*this, MasksData, sectionIndex, sectionName, propertyName,
                         [](const TsMaskData&) { return true; });
}

int TsSkinManager::FindImageEntryIndex(std::string_view sectionName,
                                       std::string_view propertyName) const {
    if (sectionName.empty()) return -1;
    for (size_t i = 0; i < MasksData.size(); ++i)
        if (MasksData[i].SectionName == sectionName && MasksData[i].PropertyName == propertyName)
            return int(i);
    return -1;
}

int TsSkinManager::GetTextureImageIndex(int sectionIndex, std::string_view sectionName,
                                        std::string_view propertyName) const {
    return FindInherited(*this, MasksData, sectionIndex, sectionName, propertyName,
                         [](const TsMaskData& m) { return m.ImgType == itisaTexture; });
}

int TsSkinManager::GetPatternEntryIndex(int sectionIndex, std::string_view sectionName,
                                        std::string_view propertyName) const {
    return FindInherited(*this, PatternsData, sectionIndex, sectionName, propertyName,
                         [](const TsPatternData&) { return true; });
}

bool TsSkinManager::ImageIndexValid(int index) const {
    return index >= 0 && size_t(index) < MasksData.size();
}

bool TsSkinManager::SectionIndexValid(int index) const {
    return index >= 0 && size_t(index) < SectionsData.size();
}
