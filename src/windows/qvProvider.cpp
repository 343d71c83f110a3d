#include "windows/qvProvider.h"

#include <algorithm>

#include "paint/sCommonData.h"
#include "platform/core/StrUtils.h"
#include "platform/window/WindowSystem.h"
#include "skin/sMessages.h"
#include "skin/sSkinManager.h"
#include "toolkit/Form.h"
#include "windows/qvBtnWnd.h"
#include "windows/qvCheckBoxWnd.h"
#include "windows/qvComboBoxWnd.h"
#include "windows/qvDialogWnd.h"
#include "windows/qvEditWnd.h"
#include "windows/qvGroupBoxWnd.h"
#include "windows/qvIconWnd.h"
#include "windows/qvLinkWnd.h"
#include "windows/qvMainWnd.h"
#include "windows/qvSizerWnd.h"
#include "windows/qvSpinWnd.h"
#include "windows/qvStaticWnd.h"
#include "windows/qvTransPanelWnd.h"
#include "windows/qvTreeViewWnd.h"
#include "windows/sSkinProvider.h"

int ComboListCount = 0;
RECT SampleRect{};

namespace {

template <typename T>
std::unique_ptr<TqvMainWnd> Make(HWND child, const std::string& section) {
    return std::make_unique<T>(child, false, section, PrimaryManager, nullptr);
}

// Edit-like windows draw their scroll bars from the skin too.
template <typename T>
std::unique_ptr<TqvMainWnd> MakeScrolling(HWND child, const std::string& section) {
    return std::make_unique<T>(child, true, section, PrimaryManager, nullptr);
}

} // namespace

std::unique_ptr<TsHookedWrapper> MakeDialogChildWrapper(TqvChildWrapper kind, HWND child,
                                                        const std::string& section) {
    using W = TqvChildWrapper;
    std::unique_ptr<TqvMainWnd> made;
    switch (kind) {
    case W::Static: made = Make<TqvStaticWnd>(child, section); break;
    case W::Icon: made = Make<TqvIconWnd>(child, section); break;
    case W::Link: made = Make<TqvLinkWnd>(child, section); break;
    case W::TransPanel: made = Make<TqvTransPanelWnd>(child, section); break;
    case W::Sizer: made = Make<TqvSizerWnd>(child, section); break;
    case W::GroupBox: made = Make<TqvGroupBoxWnd>(child, section); break;
    case W::CheckBox: made = Make<TqvCheckBoxWnd>(child, section); break;
    case W::Spin: made = Make<TqvSpinWnd>(child, section); break;
    case W::Button:
        made = std::make_unique<TqvBtnWnd>(child, section, PrimaryManager, nullptr);
        break;
    case W::Edit: made = MakeScrolling<TqvEditWnd>(child, section); break;
    case W::TreeView: made = MakeScrolling<TqvTreeViewWnd>(child, section); break;
    case W::ComboBox: made = Make<TqvComboBoxWnd>(child, section); break;
    // Kinds without a painting of their own keep only the base wrapper's skin-command answers.
    case TqvChildWrapper::ListView:
    case TqvChildWrapper::ToolBar: made = Make<TqvMainWnd>(child, section); break;
    default: break;
    }
    if (!made || made->Destroyed) return nullptr;
    made->Start();
    return made;
}

std::function<std::unique_ptr<TsHookedWrapper>(TqvChildWrapper, HWND, const std::string&)>
    TqvProvider::MakeChildWrapper = MakeDialogChildWrapper;

namespace {

constexpr RECT kSampleArea{178, 181, 327, 217};

bool SizeIs(SIZE s, int cx, int cy) { return s.cx == cx && s.cy == cy; }

TqvChildDecision Wrap(TqvChildWrapper wrapper, const char* section) {
    TqvChildDecision d;
    d.Wrapper = wrapper;
    d.Section = section;
    return d;
}

TqvChildDecision DecideStatic(DWORD style, SIZE size) {
    using W = TqvChildWrapper;
    if (SizeIs(size, 152, 49)) return Wrap(W::Static, "CHECKBOX");
    TqvChildDecision none;
    if (SizeIs(size, 150, 37)) {
        none.LayoutKind = 1;
        return none;
    }
    for (const SIZE fixed :
         {SIZE{192, 189}, SIZE{210, 140}, SIZE{12, 189}, SIZE{210, 46}, SIZE{60, 42}})
        if (SizeIs(size, fixed.cx, fixed.cy)) {
            none.LayoutKind = 3;
            none.FormSection = true;
            return none;
        }
    if ((style & 3) == 3) return Wrap(W::Icon, "CHECKBOX");
    if ((style & 14) == 14 || (style & 13) == 13) return none;
    const DWORD kind = style & 31;
    if (kind == 5 || kind == 6 || kind == 11) return none;
    return Wrap(W::Static, "CHECKBOX");
}

TqvChildDecision DecideButton(DWORD style) {
    using W = TqvChildWrapper;
    if ((style & 7) == 7) return Wrap(W::GroupBox, "GROUPBOX");
    if ((style & 2) || (style & 4) || (style & 9) == 9) return Wrap(W::CheckBox, "CHECKBOX");
    return Wrap(W::Button, "BUTTON");
}

} // namespace

TqvChildDecision DecideDialogChild(const std::string& cls, DWORD style, SIZE size) {
    using W = TqvChildWrapper;
    if (cls == "static") return DecideStatic(style, size);
    if (cls == "#32770") return Wrap(W::TransPanel, "CHECKBOX");
    if (cls == "button") return DecideButton(style);
    if (cls == "combobox" || cls == "comboboxex32") return Wrap(W::ComboBox, "COMBOBOX");
    if (cls == "combolbox") {
        TqvChildDecision d = Wrap(W::Edit, "COMBOBOX");
        d.CountsComboList = true;
        return d;
    }
    if (cls == "scrollbar") return Wrap(W::Sizer, "CHECKBOX");
    if (cls == "systabcontrol32") {
        TqvChildDecision d;
        d.Fails = SizeIs(size, 470, 349);
        return d;
    }
    if (cls == "syslistview32") return Wrap(W::ListView, "EDIT");
    if (cls == "msctls_updown32") return Wrap(W::Spin, "SPEEDBUTTON_SMALL");
    if (cls == "listbox" || cls == "edit") return Wrap(W::Edit, "EDIT");
    if (cls == "systreeview32") return Wrap(W::TreeView, "EDIT");
    if (cls == "link window") return Wrap(W::Link, "CHECKBOX");
    if (cls == "toolbarwindow32") return Wrap(W::ToolBar, (style & 512) ? "BAR" : "CHECKBOX");
    if (cls.find("shbrowseforfolder") != std::string::npos) return Wrap(W::TransPanel, "CHECKBOX");
    return TqvChildDecision{};
}

const std::vector<RECT>& FixedAreaRects() {
    static const std::vector<RECT> rects{{447, 0, 455, 200}, {6, 23, 216, 163}, {6, 189, 216, 235}};
    return rects;
}

// ---------------------------------------------------------------- the provider

TqvProvider::TqvProvider(TForm* form, TsSkinManager* manager, bool skinMenu) {
    if (!form || TsSkinProvider::OfForm(form)) return;
    window_ = form->HandleAllocated() ? form->Handle() : nullptr;
    FormProvider = form->Make<TsSkinProvider>();
    FormProvider->SetMakeSkinMenu(skinMenu);
    if (manager && manager != PrimaryManager) FormProvider->SkinData->SetSkinManager(manager);
    // A manager of its own is known only now: the skin is looked up again for it.
    if (manager && manager != PrimaryManager && manager->SkinData.Loaded) {
        FormProvider->InitSkinning();
        FormProvider->RebuildFrame();
    }
}

TqvProvider::TqvProvider(HWND window, TsSkinManager* /*manager*/) : window_(window) {
    attached_ = AttachToDialog(window);
}

TqvProvider::~TqvProvider() {
    // A form's provider component belongs to the form.
    if (FormProvider) return;
    WrappedChildren.clear();
    DialogWrapper.reset();
}

HWND TqvProvider::Window() const {
    return DialogWrapper && DialogWrapper->Destroyed ? nullptr : window_;
}

bool TqvProvider::AttachToDialog(HWND window) {
    DialogHandle = window;
    WrappedChildren.clear();
    if (DialogWrapper || !PrimaryManager || !PrimaryManager->Active()) return true;
    const std::string cls = GetClassName(window);
    if (cls != "#32770" && cls != "TMessageForm") return true;
    CreateDialogWrapper(window);
    ComboListCount = 0;
    if (!WrapDialogChildren(window)) return false;
    DialogWrapper->InitDialogFrame();
    if (ComboListCount == 3) {
        LayoutKind = 1;
        SampleRect = kSampleArea;
    }
    SendMessage(window, SM_ORVENCMD, SkinCommandWParam(scSkinLoaded), LPARAM(PrimaryManager));
    const TqvFormAnimation& show = PrimaryManager->AnimEffects.DialogShow;
    if (show.Active && DialogWrapper) DialogWrapper->StartShowAnimation(show.Time);
    return true;
}

void TqvProvider::CreateDialogWrapper(HWND window) {
    if (DialogWrapper && DialogWrapper->Destroyed) DialogWrapper.reset();
    if (!DialogWrapper) DialogWrapper = std::make_unique<TqvDialogWnd>(window, this);
    DialogWrapper->DialogProvider = this;
}

bool TqvProvider::WrapDialogChildren(HWND window) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!WrapDialogChildren(child)) return false;
        if ((GetWindowLong(child, GWL_STYLE) & WS_CHILD) && !WrapDialogChild(child)) return false;
    }
    return true;
}

bool TqvProvider::Wrapped(HWND child) const {
    return std::any_of(WrappedChildren.begin(), WrappedChildren.end(),
                       [child](const auto& w) { return w->Window() == child; });
}

bool TqvProvider::WrapDialogChild(HWND child) {
    if (Wrapped(child) || AskWindowSkinCommand(child, scIsSkinned)) return true;
    RECT r{};
    GetWindowRect(child, &r);
    const DWORD style = DWORD(GetWindowLong(child, GWL_STYLE));
    const TqvChildDecision d =
        DecideDialogChild(LowerCase(GetClassName(child)), style, SIZE{WidthOf(r), HeightOf(r)});
    if (d.Fails) return false;
    if (d.LayoutKind >= 0) LayoutKind = static_cast<unsigned char>(d.LayoutKind);
    if (d.FormSection && DialogWrapper) DialogWrapper->SkinData->SetSkinSection("FORM");
    if (d.CountsComboList) ++ComboListCount;
    if (d.Wrapper == TqvChildWrapper::None || !MakeChildWrapper) return true;
    TqvMainWnd::WrappingDialogChild = true;
    std::unique_ptr<TsHookedWrapper> made = MakeChildWrapper(d.Wrapper, child, d.Section);
    TqvMainWnd::WrappingDialogChild = false;
    if (made) WrappedChildren.push_back(std::move(made));
    return true;
}

void InstallDialogSkinning() {
    TsSkinManager::MakeSystemDialogAdapter = [](HWND window, TsSkinManager* manager) {
        return std::make_unique<TqvProvider>(window, manager);
    };
}
