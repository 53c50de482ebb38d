#include "dialogs/common/base_dialog.h"

#include "model/vp_exception.h"

TVpCustomDataStore& TVpBaseDialog::RequiredDataStore(const std::string& dialogKind) const {
  if (DataStore_ == nullptr) throw EVpException("The " + dialogKind + " dialog cannot open: it has no data store.");
  return *DataStore_;
}

std::string DialogCaption(const std::string& name, const std::string& kind) {
  return (name.empty() ? std::string("Untitled") : name) + " - " + kind;
}
