#include "windows/qvAdapterItem.h"

#include <array>
#include <string_view>

#include "paint/sCommonData.h"
#include "platform/controls/Button.h"
#include "platform/core/StrUtils.h"
#include "skin/sMessages.h"
#include "toolkit/BitBtn.h"
#include "toolkit/DirectoryListBox.h"
#include "toolkit/Panel.h"
#include "toolkit/TreeView.h"
#include "toolkit/WinControl.h"
#include "windows/qvBaseWnd.h"
#include "windows/qvBitBtnWnd.h"
#include "windows/qvBtnWnd.h"
#include "windows/qvEditWnd.h"
#include "windows/qvGroupBoxWnd.h"
#include "windows/qvTransPanelWnd.h"
#include "windows/qvTreeViewWnd.h"

namespace {

bool OneOf(std::string_view name, std::initializer_list<std::string_view> names) {
    for (std::string_view n : names)
        if (n == name) return true;
    return false;
}

TqvAdaptedKind KindByWindowClass(HWND window) {
    const std::string cls = LowerCase(GetClassName(window));
    if (cls == "button") {
        const DWORD style = DWORD(GetWindowLongPtr(window, GWL_STYLE)) & BS_TYPEMASK;
        if (style == BS_GROUPBOX) return TqvAdaptedKind::GroupBox;
        if (style == BS_PUSHBUTTON || style == BS_DEFPUSHBUTTON) return TqvAdaptedKind::Button;
        return TqvAdaptedKind::None;
    }
    if (cls == "systreeview32") return TqvAdaptedKind::TreeView;
    if (cls == "edit" || cls == "listbox") return TqvAdaptedKind::Edit;
    return TqvAdaptedKind::None;
}

} // namespace

TqvAdaptedKind AdaptedKindOf(TControl* control) {
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (!windowed || !windowed->HandleAllocated()) return TqvAdaptedKind::None;
    if (dynamic_cast<TBitBtn*>(control)) return TqvAdaptedKind::BitButton;
    if (dynamic_cast<TTreeView*>(control)) return TqvAdaptedKind::TreeView;
    if (dynamic_cast<TDirectoryListBox*>(control)) return TqvAdaptedKind::Edit;
    const std::string_view name = control->ClassName();
    if (OneOf(name, {"TSynEdit", "TSynMemo", "TDBSynEdit"})) return TqvAdaptedKind::SynEdit;
    if (OneOf(name, {"TRichView", "TDBRichViewEdit", "TRichViewEdit", "TDBRichView"}))
        return TqvAdaptedKind::RichView;
    if (OneOf(name, {"TVirtualStringTree", "TVirtualDrawTree", "TEasyListview",
                     "TVirtualExplorerListview", "TVirtualExplorerTreeview"}))
        return TqvAdaptedKind::VirtualTree;
    const TqvAdaptedKind byWindow = KindByWindowClass(windowed->Handle());
    if (byWindow != TqvAdaptedKind::None) return byWindow;
    // A plain panel; skinned panels answer the is-skinned command and are never wrapped.
    if (name == std::string_view("TPanel")) return TqvAdaptedKind::Panel;
    return TqvAdaptedKind::None;
}

TqvAdapterItem::TqvAdapterItem(TControl* control, TsSkinManager* manager)
    : Control(control), SkinData(std::make_unique<TsCommonData>(control, true)) {
    if (manager) SkinData->SetSkinManager(manager);
}

TqvAdapterItem::~TqvAdapterItem() { FreeWrapper(); }

bool TqvAdapterItem::WrapperAlive() const {
    return Wrapper && !Wrapper->Destroyed &&
           TqvMainWnd::FromWindow(Wrapper->Handle) == Wrapper.get();
}

void TqvAdapterItem::FreeWrapper() {
    if (!Wrapper) return;
    Wrapper->Unwrap();
    Wrapper.reset();
}

void TqvAdapterItem::AttachWrapper(TControl* control) {
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (!windowed || !windowed->HandleAllocated()) return;
    if (control->Parent() && AskSkinCommand(control, scIsSkinned)) return;
    const HWND window = windowed->Handle();
    TsSkinManager* manager = SkinData->SkinManager();
    // The section given to the wrapper counts only while the item has none.
    auto sectionFor = [&](const char* given) {
        return SkinData->SkinSection().empty() ? std::string(given) : SkinData->SkinSection();
    };
    switch (AdaptedKindOf(control)) {
    case TqvAdaptedKind::BitButton:
        SkinData->SetSkinSection("BUTTON");
        Wrapper = std::make_unique<TqvBitBtnWnd>(window, "BUTTON", manager, SkinData.get());
        break;
    case TqvAdaptedKind::Button:
        SkinData->SetSkinSection("BUTTON");
        Wrapper = std::make_unique<TqvBtnWnd>(window, "BUTTON", manager, SkinData.get());
        break;
    case TqvAdaptedKind::TreeView:
        Wrapper = std::make_unique<TqvTreeViewWnd>(window, true, sectionFor("EDIT"), manager,
                                                   SkinData.get());
        break;
    case TqvAdaptedKind::Edit:
    case TqvAdaptedKind::SynEdit:
        Wrapper =
            std::make_unique<TqvEditWnd>(window, true, sectionFor("EDIT"), manager, SkinData.get());
        break;
    case TqvAdaptedKind::RichView:
    case TqvAdaptedKind::VirtualTree:
        Wrapper =
            std::make_unique<TqvBaseWnd>(window, true, sectionFor("EDIT"), manager, SkinData.get());
        break;
    case TqvAdaptedKind::GroupBox:
        SkinData->SetSkinSection("GROUPBOX");
        Wrapper = std::make_unique<TqvGroupBoxWnd>(window, false, "", manager, SkinData.get());
        break;
    case TqvAdaptedKind::Panel:
        SkinData->SetSkinSection("PANEL");
        Wrapper =
            std::make_unique<TqvTransPanelWnd>(window, false, "PANEL", manager, SkinData.get());
        break;
    case TqvAdaptedKind::None: break;
    }
    if (Wrapper) {
        if (SkinData->SkinSection().empty()) SkinData->SetSkinSection("EDIT");
        Wrapper->Start();
        if (!Wrapper->Attached()) Wrapper.reset();
    }
}
