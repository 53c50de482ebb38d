#pragma once

#include "platform/canvas.h"
#include "platform/geometry.h"
#include "print/page_geometry.h"

// A device that prints pages: a printer, a PDF file, or a test's recording. The page renderer
// draws on its canvas and asks for each further page.
class TVpPrintTarget {
 public:
  virtual ~TVpPrintTarget() = default;
  virtual void BeginDocument() = 0;
  // Ends the document; also called after a failure, so that later jobs can begin.
  virtual void EndDocument() = 0;
  virtual void NewPage() = 0;
  virtual TCanvas& Canvas() = 0;
  // The page in device dots (left and top 0).
  virtual TRect PageRect() const = 0;
  // Dots per inch across and down, as the device reports them (0 when it does not know).
  virtual int DotsPerInchX() const = 0;
  virtual int DotsPerInchY() const = 0;
};
