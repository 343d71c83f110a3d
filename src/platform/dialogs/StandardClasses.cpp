#include "platform/dialogs/StandardClasses.h"

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/CoolBar.h"
#include "platform/controls/Edit.h"
#include "platform/controls/HintWindow.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/Static.h"
#include "platform/controls/StatusBar.h"
#include "platform/controls/TabControl.h"
#include "platform/controls/ToolBar.h"
#include "platform/controls/TreeView.h"
#include "platform/controls/UpDown.h"
#include "platform/dialogs/Dialog.h"
#include "platform/menus/Menu.h"
#include "platform/window/ScrollBars.h"

void RegisterStandardClasses() {
    UseMenuNonClient();
    RegisterButtonClass();
    RegisterStaticClass();
    RegisterEditClass();
    RegisterListBoxClass();
    RegisterComboBoxClass();
    RegisterUpDownClass();
    RegisterScrollBarClass();
    RegisterTreeViewClass();
    RegisterStatusBarClass();
    RegisterToolBarClass();
    RegisterCoolBarClass();
    RegisterTabControlClass();
    RegisterHintWindowClass();
    RegisterDialogClass();
}
