#pragma once

#include <memory>
#include <vector>

#include "print/print_target.h"
#include "tests/support/recording_canvas.h"

// A print target that records each page on its own recording canvas.
class TRecordingTarget : public TVpPrintTarget {
 public:
  TRecordingTarget(TRect page, int dpiX = 96, int dpiY = 96) : Page_(page), DpiX_(dpiX), DpiY_(dpiY) { NewPage(); }
  void BeginDocument() override { ++Begun; }
  void EndDocument() override { ++Ended; }
  void NewPage() override { Pages.push_back(std::make_unique<TRecordingCanvas>(DpiX_)); }
  TCanvas& Canvas() override { return *Pages.back(); }
  TRect PageRect() const override { return Page_; }
  int DotsPerInchX() const override { return DpiX_; }
  int DotsPerInchY() const override { return DpiY_; }

  std::vector<std::unique_ptr<TRecordingCanvas>> Pages;
  int Begun = 0;
  int Ended = 0;

 private:
  TRect Page_;
  int DpiX_, DpiY_;
};
