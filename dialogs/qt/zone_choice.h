#pragma once

class QComboBox;
class QString;

// Fills a combo box with a choice of time zone: the entry for no zone (its data empty), the
// desktop's zone, then every zone the system knows, each with its name as data; typing part of a
// name finds it.
void FillZoneChoice(QComboBox& combo, const QString& noZoneCaption);
