#pragma once

#include <memory>
#include <vector>

#include "print/print_format.h"
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

// A format of one day per page: a caption along the top and the day view below it.
inline TVpPrintFormatItem DayPageFormat(const char* name, const char* caption) {
  TVpPrintFormatItem format;
  format.SetFormatName(name);
  TVpPrintFormatElementItem title;
  title.ItemType = itCaption;
  title.Width = 100;
  title.Caption.Caption = caption;
  TVpPrintFormatElementItem day;
  day.ItemType = itDayView;
  day.Top = 10;
  day.Width = 100;
  day.Height = 90;
  format.Elements = {title, day};
  return format;
}
