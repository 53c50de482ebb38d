#include "tools/koret_cli/pdf_maker.h"

TPdfMaker DesktopPdfMaker() { return {}; }
