#pragma once

#include <string>

class QWidget;

// Shows whether a field is marked: a marked field is red (RGB 255, 0, 0) and says why in its tool
// tip; an unmarked one gets its plain look and no tool tip again.
void ShowFieldMark(QWidget& widget, bool marked, const std::string& why);
