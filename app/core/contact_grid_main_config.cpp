#include "app/core/contact_grid_main_config.h"

#include "app/core/day_view_main_config.h"
#include "views/contacts/contact_button_bar.h"
#include "views/contacts/contact_grid.h"

void ConfigureMainContactGrid(TVpContactGrid& grid) {
  grid.Font().Assign(SansSerifOfHeight(11));
  grid.SetColor(clWhite);
  grid.SetBarWidth(3);
  grid.SetBarColor(clSilver);
  grid.SetColumnWidth(145);
  TVpContactHeadAttr& head = grid.ContactHeadAttributes();
  head.Font().Assign(SansSerifOfHeight(11));
  head.SetColor(clSilver);
  head.SetBordered(true);
  grid.SetDrawingStyle(ds3d);
}

void ConfigureMainContactButtonBar(TVpContactButtonBar& bar) {
  bar.SetColor(clBtnFace);
  bar.Resize(60, bar.Height());
}
