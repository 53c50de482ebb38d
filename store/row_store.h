#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/field_value.h"

// The rows of a table in compact form. A row is a run of 64-bit words: a bitmap of the fields
// that have a value, the values of the boolean fields as bits (when the table has any), one word
// for every other field with a value (integers; floats as their bits; dates and date-times as
// whole milliseconds; texts as where their bytes are), then the bytes of the row's texts. Words
// are never moved or freed until the store is reset, so a row is a small handle that batches can
// keep to undo a change.
//
// A row read from a file, or written to it, knows its place there (its piece): writing the
// table copies those bytes from the file instead of rendering the row, as long as the file is
// still that version.
class TRowStore {
 public:
  struct TRow {
    const std::uint64_t* Words = nullptr;
    std::uint64_t PieceOffset : 40 = 0;  // where the row's piece begins in the file
    std::uint64_t PieceLength : 24 = 0;  // 0: the row has no piece and is rendered when written
  };
  // The longest piece a row keeps; longer rows are rendered when written.
  static constexpr size_t kMaxPieceLength = (size_t{1} << 24) - 1;
  static constexpr std::uint64_t kMaxPieceOffset = (std::uint64_t{1} << 40) - 1;

  TRowStore() = default;
  explicit TRowStore(const TFieldDefs& fields) { SetFields(fields); }
  TRowStore(TRowStore&&) noexcept = default;
  TRowStore& operator=(TRowStore&&) noexcept = default;

  // The layout of the rows; drops every row.
  void SetFields(const TFieldDefs& fields);
  // Adds a field after the others, null in every row; the rows keep their pieces. A field that
  // fits the rows' layout as it is (the bitmaps keep their size) leaves the rows where they are;
  // otherwise every row is made again.
  void AddField(const TFieldDef& field);

  std::vector<TRow>& Rows() { return Rows_; }
  const std::vector<TRow>& Rows() const { return Rows_; }
  size_t Size() const { return Rows_.size(); }
  const TRow& operator[](size_t row) const { return Rows_[row]; }

  // Reading a row's fields.
  bool IsNull(const TRow& row, size_t field) const;
  TFieldValue Value(const TRow& row, size_t field) const;
  TRowValues Values(const TRow& row) const;
  // The field as a whole number, and as milliseconds (day numbers as date-times); 0 for null.
  std::int64_t Number(const TRow& row, size_t field) const;
  std::int64_t Ms(const TRow& row, size_t field) const;
  // Whether the field holds the value (given as ValueForField makes it); null equals only null.
  bool Equals(const TRow& row, size_t field, const TFieldValue& value) const;
  // Whether the field's values are keys that KeyHash takes: integers and texts.
  bool IsKeyField(size_t field) const { return Kinds_[field] == kInteger || Kinds_[field] == kText; }
  // A hash of a key field's value (not null), the same as KeyHash of an equal value (an integer or
  // a text, as ValueForField makes it).
  std::size_t KeyHash(const TRow& row, size_t field) const;
  static std::size_t KeyHash(const TFieldValue& value);

  // Building a row: BeginRow makes every field null, the setters give values, and Commit stores
  // the row (with its place in the file, or none) and returns it. A setter may be called again
  // for a field; the last value counts.
  void BeginRow();
  void SetInteger(size_t field, std::int64_t value);
  void SetBoolean(size_t field, bool value);
  void SetFloat(size_t field, double value);
  void SetMs(size_t field, std::int64_t ms);
  // A lasting text stays where it is until Commit; any other is copied at once.
  void SetText(size_t field, std::string_view value, bool lasting);
  TRow Commit(std::uint64_t pieceOffset = 0, size_t pieceLength = 0);
  // A row of the values (each of the field's kind, or null), without a piece.
  TRow Encode(const TRowValues& values);

  // Appends a row, keeping the growth of the row list small for a table that grows one row at a
  // time.
  void Append(const TRow& row);

 private:
  enum TKind : std::uint8_t { kInteger, kBoolean, kFloat, kMs, kText };
  struct TStaged {
    bool Set = false;
    std::uint64_t Word = 0;      // the value; for texts the length
    const char* Text = nullptr;  // a lasting text; nullptr: in the pool at PoolOffset
    size_t PoolOffset = 0;
  };

  static TKind KindOf(TFieldType type);
  // The bitmaps' layout for the kinds; drops every row.
  void SetKinds(std::vector<TKind> kinds);
  std::uint64_t* Allocate(size_t words);
  // The index of the field's word in the row, after its header.
  size_t WordIndex(const std::uint64_t* words, size_t field) const;
  size_t ValueWordCount(const std::uint64_t* words) const;
  std::string_view TextOf(const TRow& row, std::uint64_t word) const;

  std::vector<TKind> Kinds_;
  std::vector<std::uint64_t> BooleanMask_;  // one bit per boolean field
  size_t BitmapWords_ = 0;                  // words of one bitmap
  size_t HeaderWords_ = 0;                  // the bitmaps: present, and booleans when there are any
  std::vector<TRow> Rows_;
  // The words of the rows, in chunks that never move.
  struct TFree {
    void operator()(std::uint64_t* memory) const { std::free(memory); }
  };
  std::vector<std::unique_ptr<std::uint64_t[], TFree>> Chunks_;
  size_t ChunkSize_ = 0;  // words of the last chunk
  size_t ChunkFree_ = 0;
  std::uint64_t* ChunkNext_ = nullptr;
  // The row being built.
  void Stage(size_t field, const TStaged& staged);
  std::vector<TStaged> Staged_;
  std::vector<size_t> StagedFields_;  // the fields given a value, to clear only those
  std::string Pool_;
};

// One row of a table as a filter sees it.
class TRowView {
 public:
  TRowView(const TRowStore& store, const TRowStore::TRow& row) : Store_(store), Row_(row) {}
  TFieldValue operator[](size_t field) const { return Store_.Value(Row_, field); }
  bool IsNull(size_t field) const { return Store_.IsNull(Row_, field); }
  // See TRowStore::Number and Ms.
  std::int64_t Number(size_t field) const { return Store_.Number(Row_, field); }
  std::int64_t Ms(size_t field) const { return Store_.Ms(Row_, field); }

 private:
  const TRowStore& Store_;
  const TRowStore::TRow& Row_;
};
