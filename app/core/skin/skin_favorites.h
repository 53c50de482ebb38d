#pragma once

#include <string>
#include <vector>

#include "platform/file_writer.h"
#include "store/data_table.h"

// One favourite skin set-up: a skin file with its two shifts.
struct TSkinFavorite {
  int SkinID = 0;
  std::string FileName;  // full path of the skin file
  std::string SkinName;  // the skin's own name
  int Hue = 0;
  int Brightness = 0;
  friend bool operator==(const TSkinFavorite&, const TSkinFavorite&) = default;
};

// The skins list table (Config/Skins.xml, a data-packet table with the fields SkinID, FileName,
// SkinName, Hue and Brightness): the favourites of the preferences window. Every change is written
// to the file before it returns. A missing file is an empty list; the file is made by the first
// change.
class TSkinFavorites {
 public:
  explicit TSkinFavorites(TFileWriter& writer);

  void SetFileName(const std::string& fileName) { Table_.SetFileName(fileName); }
  // Reads the file; a missing one is an empty list. One that cannot be read raises
  // EDataTableError naming the file and why, and the list stays empty.
  void Open();
  void Close() { Table_.Close(); }

  // The favourites in the file's order (null fields read as 0 or empty).
  std::vector<TSkinFavorite> Rows();
  void Append(const TSkinFavorite& favorite);
  // Replaces the row at the index; on an empty list the favourite becomes its first row.
  void Replace(int row, const TSkinFavorite& favorite);
  void Remove(int row);

 private:
  // Opens the table for a change, making its file first when there is none.
  void OpenForChange();
  void MoveTo(int row);
  void Write(const TSkinFavorite& favorite);

  TFileWriter& Writer_;
  TDataTable Table_;
};
