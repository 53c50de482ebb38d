#include "views/week/week_view_attributes.h"

TVpWeekDayHeadAttr::TVpWeekDayHeadAttr(std::function<void()> onChange)
    : TVpWeekViewAttributeBase(std::move(onChange)), Font_(OnChange_) {
  TFont tahoma;
  tahoma.Name = "Tahoma";
  tahoma.Size = 10;
  Font_.Assign(tahoma);
}

TVpAllDayEventAttributes::TVpAllDayEventAttributes(std::function<void()> onChange, TColor background, TColor border,
                                                   const TFont& font)
    : TVpWeekViewAttributeBase(std::move(onChange)),
      BackgroundColor_(background),
      EventBorderColor_(border),
      Font_(OnChange_) {
  Font_.Assign(font);
}
