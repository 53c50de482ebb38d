#include "views/calendar/calendar_colors.h"

#include "model/vp_exception.h"
#include "platform/assign_if_changed.h"

namespace {

using TSchemeColors = std::array<TColor, TVpCalColors::ColorCount>;

// The colours of each ready-made scheme, from cscalClassic on, in index order: ActiveDay,
// DayNames, Days, InactiveDays, MonthAndYear, Weekend, EventDays.
constexpr std::array<TSchemeColors, 5> kSchemes = {{
    /* cscalClassic */ {clHighlight, clWindow, clWindow, clWindow, clWindow, clWindow, 0x000000},
    /* cscalWindows */ {0x0000FF, 0x000080, 0x000000, 0x808080, 0xFF0000, 0x0000FF, 0x000000},
    /* cscalGold    */ {0x000000, 0x000000, 0x00FFFF, 0x808080, 0x000000, 0x808000, 0x000000},
    /* cscalOcean   */ {0x000000, 0x000000, 0xFFFF00, 0x808080, 0x000000, 0x800000, 0x000000},
    /* cscalRose    */ {0x0000FF, 0x0000FF, 0xFF00FF, 0x808080, 0xFF0000, 0x808000, 0x000000},
}};

const TSchemeColors& SchemeColors(TVpCalColorScheme scheme) { return kSchemes[static_cast<size_t>(scheme) - 1]; }

}  // namespace

TVpCalColors::TVpCalColors(std::function<void()> onChange)
    : OnChange_(std::move(onChange)), Colors_(SchemeColors(cscalWindows)) {}

TColor TVpCalColors::Color(int index) const {
  if (index < 0 || index >= ColorCount) throw EVpIndexError(index);
  return Colors_[static_cast<size_t>(index)];
}

void TVpCalColors::SetColor(int index, TColor value) {
  if (index < 0 || index >= ColorCount) throw EVpIndexError(index);
  if (!AssignIfChanged(Colors_[static_cast<size_t>(index)], value)) return;
  Scheme_ = cscalCustom;
  Changed();
}

void TVpCalColors::SetColorScheme(TVpCalColorScheme value) {
  if (value < cscalCustom || value > cscalRose) throw EVpIndexError(value);
  if (!AssignIfChanged(Scheme_, value) || value == cscalCustom) return;
  Colors_ = SchemeColors(value);
  Changed();
}

void TVpCalColors::Assign(const TVpCalColors& source) {
  if (&source == this) return;
  Colors_ = source.Colors_;
  Scheme_ = source.Scheme_;
  Changed();
}

void TVpCalColors::Changed() {
  if (OnChange_) OnChange_();
}
