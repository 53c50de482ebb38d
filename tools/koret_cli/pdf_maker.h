#pragma once

#include <functional>
#include <string>

class TLocale;
class TVpPrintTarget;

// Runs a print job on a PDF target, in the desktop's locale as the organizer prints, and returns
// the document's bytes; raises when the document cannot be made. Empty in a build without the
// desktop libraries, which cannot print.
using TPdfJob = std::function<void(TVpPrintTarget&, const TLocale&)>;
using TPdfMaker = std::function<std::string(const TPdfJob&)>;

// The PDF maker of this build.
TPdfMaker DesktopPdfMaker();
