#pragma once
// The component that owns the application's active skin: it loads it, recolours it, answers
// look-ups by section and image name and tells every window when the skin changes.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "skin/qvAnimEffects.h"
#include "skin/qvMenuSupport.h"
#include "skin/sHookedWrapper.h"
#include "skin/sMenuEngine.h"
#include "skin/sSkinRecords.h"
#include "skin/sStoredSkins.h"
#include "toolkit/Component.h"
#include "toolkit/Control.h"

class TForm;
class TqvIniFile;
class TsSkinFiles;
struct TMessage;

enum TqvSkinningRule : unsigned { srStdForms = 1, srStdDialogs = 2, srThirdParty = 4 };
using TqvSkinningRules = unsigned;
constexpr TqvSkinningRules kAllSkinningRules = srStdForms | srStdDialogs | srThirdParty;

// Indexes the scroll bars, the page control and the check boxes read after every load; -1
// when not found. The four image slots are BORDERSMASK, PATTERN, HOTPATTERN, GLYPHMASK.
struct TsScrollPartIndexes {
    int Section = -1;
    int BordersMask = -1;
    int Pattern = -1;
    int HotPattern = -1;
    int GlyphMask = -1;
};
struct TsCachedIndexes {
    int GlobalInfoIndex = -1;
    int BoxChecked = -1, BoxUnchecked = -1, BoxGrayed = -1;
    int RadioChecked = -1, RadioUnchecked = -1, RadioGrayed = -1;
    int SmallChecked = -1, SmallUnchecked = -1, SmallGrayed = -1;
    int TabTop = -1, TabBottom = -1, TabLeft = -1, TabRight = -1;
    int TabTopBorder = -1, TabBottomBorder = -1, TabLeftBorder = -1, TabRightBorder = -1;
    TsScrollPartIndexes ScrollBtnTop, ScrollBtnBottom, ScrollBtnLeft, ScrollBtnRight;
    TsScrollPartIndexes ScrollSliderV, ScrollSliderH;
    TsScrollPartIndexes ScrollBar1H, ScrollBar1V, ScrollBar2H, ScrollBar2V; // no glyphs
    TsScrollPartIndexes ComboBtn; // borders without inheritance, patterns as textures
    int ComboBoxGlyph = -1;
};

class TsSkinManager : public TComponent {
  public:
    explicit TsSkinManager(TComponent* owner);
    ~TsSkinManager() override;
    const char* ClassName() const override { return "TsSkinManager"; }

    // Published properties.
    bool Active() const { return active_; }
    void SetActive(bool value);
    const std::string& SkinName() const { return skinName_; }
    void SetSkinName(const std::string& value);
    const std::string& SkinDirectory() const { return skinDirectory_; }
    void SetSkinDirectory(const std::string& value);
    const TsStoredSkins& InternalSkins() const { return internalSkins_; }
    TsStoredSkins& InternalSkins() { return internalSkins_; }
    void SetInternalSkins(const TsStoredSkins& skins);
    int HueOffset() const { return hueOffset_; }
    void SetHueOffset(int value);
    int Saturation() const { return saturation_; }
    void SetSaturation(int value);
    const std::vector<std::string>& CommonSections() const { return commonSections_; }
    void SetCommonSections(const std::vector<std::string>& lines);
    bool IsDefault() const;
    void SetIsDefault(bool value);
    bool SkinnedPopups() const { return skinnedPopups_; }
    void SetSkinnedPopups(bool value);
    TqvMenuSupport MenuSupport;
    TqvAnimEffects AnimEffects{this};
    TqvSkinningRules SkinningRules = kAllSkinningRules;
    // "N/A" while no skin is loaded, else the skin's version ("5", "5.36").
    std::string SkinInfo() const;
    std::string Version() const { return "5.36"; }
    TNotifyEvent OnBeforeChange;
    TNotifyEvent OnAfterChange;
    TqvGetExtraLineData OnGetMenuExtraLineData;

    // The loaded skin.
    TsGeneralDataArray SectionsData;
    TsMaskArray MasksData;
    TsPatternArray PatternsData;
    std::unique_ptr<Bitmap> MasterBitmap;
    TsSkinData SkinData;
    bool FromPackage = false;
    TsCachedIndexes CachedIndexes;
    bool HookInstalled() const { return hook_ != nullptr; }
    // The menu skinning this manager owns, or null.
    TsMenuEngine* MenuEngine() const { return menuEngine_.get(); }

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
    // One state frame of an image; 0 x 0 for an index out of range.
    SIZE GetMaskFrameSize(int imageIndex) const;
    int GetMaskWL(int imageIndex) const;
    int GetMaskWR(int imageIndex) const;
    int GetMaskWB(int imageIndex) const;
    TColor SkinGlobalColor() const;
    TColor SkinGlobalFontColor() const;
    TColor SkinGlobalHotColor() const;
    // The skin directory resolved against the program's folder, with a trailing backslash.
    std::string FullSkinDirectory() const;

    void ApplySkinToAll();
    void StripSkinFromAll();
    void RepaintAllForms();
    void LookupCachedIndexes();

    // Sends the skin command to every form and its controls (see the .cpp for who is left out).
    void BroadcastToForms(WPARAM wParam, LPARAM lParam);

    // Where the window-skinning layer plugs in; each is empty until that layer sets it.
    // The form's skin provider works with this manager.
    static std::function<bool(TForm*, TsSkinManager*)> ProviderUsesManager;
    // Cross-fades a form from its look on screen to its repainted look in `time` ms.
    static std::function<void(TForm*, int time)> AnimateRepaint;
    // Makes the menu skinning a manager owns (null: menus keep the system's look).
    static std::function<std::unique_ptr<TsMenuEngine>(TsSkinManager*)> MakeMenuEngine;
    // Lets the form's skin provider rebuild its frame.
    static std::function<void(TForm*)> RebuildProviderFrame;
    // Wrappers the window hook makes (null: nothing made).
    static std::function<std::unique_ptr<TsHookedWrapper>(HWND, TsSkinManager*)>
        MakeMenuWindowAdapter;
    static std::function<std::unique_ptr<TsHookedWrapper>(TForm*, TsSkinManager*, bool skinMenu)>
        MakeFormProvider;
    static std::function<std::unique_ptr<TsHookedWrapper>(HWND, TsSkinManager*)>
        MakeSystemDialogAdapter;

    // The wrappers the window hook made, in the order made.
    const std::vector<std::unique_ptr<TsHookedWrapper>>& HookedWrappers() const {
        return hookedWrappers_;
    }
    // The window hook's work for one event (public so that the hook procedure can reach it).
    void HandleHookEvent(int code, HWND window);

  protected:
    void Loaded() override;

  private:
    void ChangeSkin();
    // Chooses the source and loads it into the fields; false when there is nothing to load.
    bool LoadSkin();
    void LoadFromOptions(const std::string& optionsText, const TsSkinFiles& files);
    void CommonImagePass(const TqvIniFile& common);
    void CommonPatternPass(const TqvIniFile& common);
    void CommonSectionPass(const TqvIniFile& common);
    void RunCommonPasses();
    void ApplyHueAndSaturation();
    void ReloadForColourChange();
    std::vector<TForm*> FormsOfThisManager() const;
    void SendToForm(TForm* form, WPARAM wParam, LPARAM lParam);
    void InstallThreadHook();
    void RemoveThreadHook();
    void HookApplicationWindow();
    bool WindowHookHandled(HWND window) const;
    void DropWrappersOfGoneWindows();

    bool active_ = true;
    std::string skinName_;
    std::string skinDirectory_;
    TsStoredSkins internalSkins_;
    int hueOffset_ = 0;
    int saturation_ = 0;
    std::vector<std::string> commonSections_;
    bool skinnedPopups_ = true;
    HHOOK hook_ = nullptr;
    int appHook_ = 0;
    std::vector<std::unique_ptr<TsHookedWrapper>> hookedWrappers_;
    std::unique_ptr<TsMenuEngine> menuEngine_;
};

// The process's default manager, or null.
extern TsSkinManager* PrimaryManager;
// True while a skin is loaded through SkinName, HueOffset or Saturation.
extern bool SkinSwitching;
// True while the broadcast of a newly loaded skin runs.
extern bool ApplyInProgress;
// True while the skin is being removed.
extern bool StripInProgress;

// The forms whose message handling a skin provider has taken over.
extern std::vector<TForm*> HookedForms;
void AddHookedForm(TForm* form);
void RemoveHookedForm(TForm* form);
