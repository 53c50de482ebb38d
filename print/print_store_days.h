#pragma once

class TVpCustomDataStore;

// Gives a print pass the events of the days it draws, also far from the store's display date,
// and puts the store back as it was afterwards, so that the views on screen show what they
// showed. The store's date-changed handler is not told of the moves.
class TVpPrintStoreDays {
 public:
  explicit TVpPrintStoreDays(TVpCustomDataStore* store);
  // Puts the store back (errors of the reload are dropped here; call Restore to see them).
  ~TVpPrintStoreDays();
  TVpPrintStoreDays(const TVpPrintStoreDays&) = delete;
  TVpPrintStoreDays& operator=(const TVpPrintStoreDays&) = delete;

  // Makes sure the events of every day from first to last are loaded.
  void Show(double first, double last);
  // Puts the store back now.
  void Restore();

 private:
  TVpCustomDataStore* Store_;
  double DisplayDate_ = 0;
  int DayBuffer_ = 0;
  bool Moved_ = false;
};
