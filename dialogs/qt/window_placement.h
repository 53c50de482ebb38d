#pragma once

#include "dialogs/common/base_dialog.h"

class QWidget;

// Gives a dialog window, before it is shown, its placement: its size (its own when it is not
// sizeable), its position on the screen of the application's active window, and the stay-on-top
// flag when that window stays on top.
void ApplyPlacement(QWidget& window, const TVpDialogPlacement& placement, TVpDialogOptions options);
