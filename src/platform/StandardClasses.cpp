#include "platform/StandardClasses.h"

#include "platform/Button.h"
#include "platform/ComboBox.h"
#include "platform/CoolBar.h"
#include "platform/Dialog.h"
#include "platform/Edit.h"
#include "platform/HintWindow.h"
#include "platform/ListBox.h"
#include "platform/ScrollBars.h"
#include "platform/Static.h"
#include "platform/StatusBar.h"
#include "platform/TabControl.h"
#include "platform/ToolBar.h"
#include "platform/TreeView.h"
#include "platform/UpDown.h"

void RegisterStandardClasses() {
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
