#include "windows/qvBaseWnd.h"
