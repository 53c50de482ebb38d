#pragma once

class TVpControlLink;
class TVpCustomDataStore;

// What the views of one control link tell each other.
enum TVpNotificationKind {
  nkDateChanged = 0,  // the value is the new date
  nkRepaint = 2,      // repaint (the date-picker calendar ignores it)
  nkRepaintAll = 3,   // repaint, every view
};

// What a data store and a control link need of the views joined to them; the views implement it
// (views/linkable_control.h), so that the store knows nothing else of them.
class TVpLinkListener {
 public:
  // The window the view belongs to: a store repaints only the views of its own window.
  virtual const void* Owner() const = 0;
  // The store the view reads its records from, or none.
  virtual TVpCustomDataStore* DataStore() const = 0;
  // Asks the window hosting the view to repaint it.
  virtual void Invalidate() = 0;
  // A notification another view of the control link sent.
  virtual void LinkNotified(TVpLinkListener* sender, TVpNotificationKind kind, double value) = 0;
  // The store or the link lets the view go (it is destroyed, or it detached the view): the view
  // forgets it if it still refers to it.
  virtual void DataStoreReleased(const TVpCustomDataStore* store) = 0;
  virtual void ControlLinkReleased(const TVpControlLink* link) = 0;

 protected:
  ~TVpLinkListener() = default;
};
