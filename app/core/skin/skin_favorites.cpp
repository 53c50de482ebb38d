#include "app/core/skin/skin_favorites.h"

#include <filesystem>

#include "store/data_packet.h"

namespace {

TFieldDefs SkinFields() {
  return {FieldDef("SkinID", ftInteger), FieldDef("FileName", ftString, 255), FieldDef("SkinName", ftString, 100),
          FieldDef("Hue", ftInteger), FieldDef("Brightness", ftInteger)};
}

}  // namespace

TSkinFavorites::TSkinFavorites(TFileWriter& writer)
    : Writer_(writer), Table_("Skins", writer, TDataPacketFormat::Instance()) {
  Table_.SetRequiredFields({"SkinID", "FileName", "SkinName", "Hue", "Brightness"});
  Table_.SetWriteThrough(true);
}

void TSkinFavorites::Open() {
  std::error_code error;
  if (!std::filesystem::exists(Table_.FileName(), error) && !error) return;
  Table_.Open();
}

void TSkinFavorites::OpenForChange() {
  if (Table_.Active()) return;
  std::error_code error;
  if (!std::filesystem::exists(Table_.FileName(), error) && !error)
    Writer_.ReplaceFile(Table_.FileName(), FormatDataPacket(SkinFields(), {}));
  Table_.Open();
}

std::vector<TSkinFavorite> TSkinFavorites::Rows() {
  std::vector<TSkinFavorite> rows;
  if (!Table_.Active()) return rows;
  auto integer = [&](const char* name) {
    TField field = Table_.FieldByName(name);
    return field.IsNull() ? 0 : static_cast<int>(field.AsInteger());
  };
  auto text = [&](const char* name) {
    TField field = Table_.FieldByName(name);
    return field.IsNull() ? std::string() : field.AsString();
  };
  for (Table_.First(); !Table_.Eof(); Table_.Next())
    rows.push_back({integer("SkinID"), text("FileName"), text("SkinName"), integer("Hue"), integer("Brightness")});
  return rows;
}

void TSkinFavorites::MoveTo(int row) {
  Table_.First();
  for (int i = 0; i < row && !Table_.Eof(); ++i) Table_.Next();
}

void TSkinFavorites::Write(const TSkinFavorite& favorite) {
  try {
    Table_.FieldByName("SkinID").SetAsInteger(favorite.SkinID);
    Table_.FieldByName("FileName").SetAsString(favorite.FileName);
    Table_.FieldByName("SkinName").SetAsString(favorite.SkinName);
    Table_.FieldByName("Hue").SetAsInteger(favorite.Hue);
    Table_.FieldByName("Brightness").SetAsInteger(favorite.Brightness);
    Table_.Post();
  } catch (...) {
    Table_.Cancel();
    throw;
  }
}

void TSkinFavorites::Append(const TSkinFavorite& favorite) {
  OpenForChange();
  Table_.Append();
  Write(favorite);
}

void TSkinFavorites::Replace(int row, const TSkinFavorite& favorite) {
  OpenForChange();
  MoveTo(row);
  Table_.Edit();  // an empty list gets its first row here
  Write(favorite);
}

void TSkinFavorites::Remove(int row) {
  OpenForChange();
  MoveTo(row);
  if (!Table_.Eof()) Table_.Delete();
}
