#pragma once

#include <Qt>
#include <optional>

#include "platform/canvas.h"
#include "platform/input.h"

// Qt's keys, buttons and modifiers as the views take them.

TShiftState ShiftStateOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons);
std::optional<TMouseButton> MouseButtonOf(Qt::MouseButton button);
// The view's key code (TKeyCode, or the upper-case ASCII code of a letter or digit); 0 for a key
// the views do not know.
int KeyCodeOf(int qtKey);
