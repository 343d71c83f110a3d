#include "platform/PrintDialog.h"

// Provisional: accepts the caller's defaults until the dialog window is built.
bool PrintDlg(PRINTDLG* pd) {
    return pd != nullptr && !pd->destinations.empty();
}
