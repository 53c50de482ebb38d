#pragma once

#include <memory>
#include <string>

#include "platform/canvas.h"

// The notification-area icon: the day of the month in bold on a small calendar page, 16 by 16
// pixels. The page's four white corners are the icon's transparent colour.
constexpr int kTrayIconSize = 16;
constexpr TColor kTrayTransparentColor = clWhite;

// Draws the icon for the text (one or more lines separated by carriage returns) on a bitmap made
// by the canvas, and returns it with its transparent colour set.
std::unique_ptr<TBitmap> DrawTrayPicture(TCanvas& canvas, const std::string& text);
