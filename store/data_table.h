#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/file_signature.h"
#include "platform/file_writer.h"
#include "store/field_value.h"
#include "store/packet_rows.h"
#include "store/row_store.h"

class TDataTable;

// How a table is kept in its file: read as a whole, written as a head, one piece per row and a
// tail, so that a table can keep each row's piece and rewrite only the rows that changed.
class TTableFormat {
 public:
  virtual ~TTableFormat() = default;
  // Reads the file's bytes into field definitions and rows; raises on anything it cannot read.
  // Rows that stand in the bytes exactly as AppendRow writes them know their piece of the bytes.
  virtual void Read(std::string_view bytes, TFieldDefs& fields, TRowStore& rows) const = 0;
  virtual std::string Head(const TFieldDefs& fields) const = 0;
  virtual void AppendRow(std::string& out, const TFieldDefs& fields, const TRowValues& row) const = 0;
  virtual std::string Tail() const = 0;
  // A reader of the file's bytes, block by block, into the bytes with only the rows Keep
  // chooses, in the same format; nullptr when the format cannot tell its rows apart without
  // reading them (the whole is read then).
  virtual std::unique_ptr<TDataPacketPart> PartReader(TPacketRowChoice keep) const {
    (void)keep;
    return nullptr;
  }
};

// The value of one field of a table's current row (or of the row being edited), read and written
// as the kind the caller needs.
class TField {
 public:
  TField(TDataTable& table, int index) : Table_(table), Index_(index) {}

  const TFieldDef& Def() const;
  bool IsNull() const;
  std::int64_t AsInteger() const;
  bool AsBoolean() const;
  std::string AsString() const;
  double AsDateTime() const;  // also for date fields

  // Writing needs the table in edit or insert state.
  void SetAsInteger(std::int64_t value);
  void SetAsBoolean(bool value);
  void SetAsString(const std::string& value);
  void SetAsDateTime(double value);
  // Any kind of value, as the field stores it (null clears it).
  void SetValue(const TFieldValue& value) { Set(value); }
  void Clear();

 private:
  // Whether the table edits a row (the value is then the edited row's).
  bool Editing() const;
  const TRowStore::TRow& Row() const;
  TFieldValue Value() const;
  void Set(const TFieldValue& value);

  TDataTable& Table_;
  int Index_;
};

// An in-memory table of rows bound to a file: opening reads the whole file, and every post and
// delete writes the whole table back (atomically) when write-through is on; otherwise closing
// writes it when it changed. Rows keep their order, in compact form (see TRowStore); writing
// copies the piece of the file of every row that did not change since it was read or written,
// and renders only the others. A filter restricts the rows the cursor, Locate and RecordCount
// see.
class TDataTable {
 public:
  enum TState {
    dsInactive,  // closed
    dsBrowse,    // open, no edit pending
    dsEdit,      // the current row is being edited
    dsInsert,    // a new row is being edited
  };
  using TFilter = std::function<bool(const TRowView& row)>;
  // A range of a date or date-time field's values, in milliseconds from From up to To.
  struct TFieldRange {
    int Field;
    std::int64_t From;
    std::int64_t To;
  };

  // name: the table's name in messages ("Events").
  TDataTable(std::string name, TFileWriter& writer, const TTableFormat& format);

  const std::string& Name() const { return Name_; }
  const std::string& FileName() const { return FileName_; }
  void SetFileName(const std::string& fileName) { FileName_ = fileName; }
  // The field definitions; those of the file once it is open.
  const TFieldDefs& FieldDefs() const { return Fields_; }
  void SetFieldDefs(TFieldDefs fields);

  // Every post and delete writes the file before it returns.
  bool WriteThrough() const { return WriteThrough_; }
  void SetWriteThrough(bool on) { WriteThrough_ = on; }

  // Who may read the file the table writes (as before, by default).
  void SetFileAccess(TFileAccess access) { FileAccess_ = access; }

  // The fields a file must have to be read as this table (its kind's key fields); none at first.
  void SetRequiredFields(std::vector<std::string> names) { RequiredFields_ = std::move(names); }
  // Fields the table's kind gained after files of it were written: a file without one is read as
  // if it had it after its own fields, null in every row, and gains it when the table is next
  // written (reading never writes).
  void SetAddedFields(TFieldDefs fields) { AddedFields_ = std::move(fields); }

  // Reads the file; never writes. A missing, unreadable or malformed file, or one that lacks a
  // required field, raises EDataTableError naming the file and the reason, and the table stays
  // closed.
  void Open();
  // Another writer may replace the file while the table is open. When the file is no longer the
  // one last read or written (its signature differs), the open table reads it again, keeping its
  // filter (unless the fields changed: then the filter is switched off), and returns true. A
  // file that cannot be read raises as Open does and leaves the rows as they were; with
  // retryUnreadable off, the very version that failed before is passed over (false) rather than
  // raised again. A closed table, or one in an edit or batch, reads nothing.
  bool ReadAgainIfChanged(bool retryUnreadable = true);
  // Counts the times the rows were read from the file (opening and reading again): who made
  // something of the rows can tell whether they were replaced since.
  std::uint64_t ReadCount() const { return ReadCount_; }
  // A range of a date or date-time field's values by the field's name, in milliseconds.
  // With an end field, a row whose value lies in the range but before EndsAfter counts only when
  // its end field's value lies after EndsAfter (an event that began earlier and goes on into a
  // window); with a start field, a row counts only when that field's value lies on or before
  // StartsBy (a series that repeats into a window starts before its end).
  struct TNamedRange {
    std::string Field;
    std::int64_t From;
    std::int64_t To;
    std::string EndField = {};
    std::int64_t EndsAfter = INT64_MIN;
    std::string StartField = {};
    std::int64_t StartsBy = INT64_MAX;
  };
  // Opens the table on part of its file, quickly: only the rows whose value of a range's field
  // lies in that range (by whole days), as far as their text tells (a row whose value cannot be
  // told is kept). A file whose rows cannot be told apart so is read whole. The table is then
  // partial until it reads the whole file, which it does itself before anything that needs every
  // row: a filter whose ranges do not lie within these, turning the filter off, Locate, an edit,
  // a delete, a batch, a write, Rows and HighestInteger. Never writes.
  void OpenPart(std::vector<TNamedRange> ranges);
  // Opens the table on the rows Keep chooses by their text (all rows of a file whose rows cannot
  // be told apart), for reading them alone: every filter is answered from them, the rest of the
  // file is never read, and anything that would write refuses.
  void OpenExcerpt(const TPacketRowChoice& keep);
  bool Partial() const { return !PartRanges_.empty() || Excerpt_; }
  // Reads the whole file when only part of it was read; raises as Open does, leaving the part.
  void ReadWhole();
  // The whole file as read apart from the table.
  struct TWholeRead {
    TFileSignature Signature;
    TFieldDefs Fields;
    TRowStore Rows;
  };
  // Reads the whole file without touching the table: may run on another thread while the table is
  // used, as long as its file name and kind stay as they are. Raises as Open does.
  TWholeRead ReadWholeApart() const;
  // Takes a whole read made while the table is partial, when the file is still the one its part
  // was read from; otherwise drops it (false): the table was read whole meanwhile, or will be.
  bool TakeWhole(TWholeRead&& read);
  // Writes the table when it changed since the last write, then drops the rows.
  void Close();
  bool Active() const { return State_ != dsInactive; }
  TState State() const { return State_; }
  // Writes the whole table to its file now.
  void WriteFile();

  // The filter; it applies while Filtered is on. With ranges, only the rows whose value of a
  // range's field lies in that range (and rows changed since) are asked, found through an index
  // of each field's days that is built once per read of the file: the filter must refuse every
  // other row.
  void SetFilter(TFilter filter, std::vector<TFieldRange> ranges = {});
  void SetFiltered(bool on);
  bool Filtered() const { return Filtered_; }

  // Cursor over the rows that pass the filter.
  void First();
  void Next();
  bool Eof() const;
  bool IsEmpty() const;
  int RecordCount() const;
  // Moves to the first visible row whose field equals the value; false (cursor unchanged) if none.
  // An integer or text value is found through a hashed index of the field, built at the first
  // search and kept in step with the posts that follow, so that finding many rows one by one costs
  // time linear in the rows.
  bool Locate(const std::string& fieldName, const TFieldValue& value);
  // The position of the current row among all rows, the filter aside (for DeleteRows).
  size_t CurrentRow() const { return Current_; }
  // The values of the current row, by field name; null fields are left out.
  std::map<std::string, TFieldValue> CurrentValues() const;

  // Field of the current row; unknown names raise EDataTableError.
  TField FieldByName(const std::string& name);
  int FieldIndex(const std::string& name) const;  // -1 when there is no such field

  // Editing. Edit on a table without visible rows starts a new row instead (as Append).
  void Edit();
  void Append();
  // Stores the edited row; a required field without a value raises EDataTableError. When the
  // write that follows fails, the table is as it was before the post, still in edit state.
  void Post();
  void Cancel();
  // Removes the current row; the cursor moves to the next visible row.
  void Delete();
  // Removes every row (visible or not) the predicate selects, with one write.
  int DeleteWhere(const TFilter& selects);
  // Removes the rows at the positions (as CurrentRow gives them), with one write.
  int DeleteRows(const std::vector<size_t>& rows);

  // Groups the posts and deletes that follow into one write, made by the outermost CommitBatch.
  // When that write fails, or when a batch is abandoned with RollbackBatch (or an unfinished
  // TTableBatch ends), the rows are restored to what they were at its BeginBatch.
  void BeginBatch();
  void CommitBatch();
  void RollbackBatch();

  // A copy of every row (for tests and tools that need everything).
  std::vector<TRowValues> Rows();
  // The highest value of the integer field over every row, the filter aside; nullopt when the
  // field is missing or no row has a value. Counted once and kept in step with the posts.
  std::optional<std::int64_t> HighestInteger(const std::string& fieldName);

 private:
  friend class TField;
  using TRow = TRowStore::TRow;
  struct TUndo {
    enum TKind { ukModified, ukAppended, ukDeleted, ukDeletedMany } Kind;
    size_t Row;
    TRow Old;
    std::vector<std::pair<size_t, TRow>> Removed;  // ukDeletedMany: positions ascending
  };
  // The rows of one day of a field's values, ordered by day.
  struct TDayEntry {
    std::int32_t Day;
    std::uint32_t Row;
    friend bool operator<(const TDayEntry& a, const TDayEntry& b) { return a.Day < b.Day; }
  };

  // Reads the file into fields and rows, checking the required fields and adding the added ones;
  // with keep, only the rows it chooses (when the format can tell them apart).
  void ReadFile(TFieldDefs& fields, TRowStore& rows, const TPacketRowChoice& keep = nullptr) const;
  // Opens the table on the rows of its file Keep chooses.
  void OpenOn(const TPacketRowChoice& keep);
  // Whether the rows of a partial table hold every row the ranges can select.
  bool PartHolds(const std::vector<TFieldRange>& ranges) const;
  void AdoptWhole(TWholeRead&& read);
  // Before what needs every row.
  void RequireWhole();
  // Before what works on rows found in the part.
  void RequireNoPart() const;
  void TakeRows(TFieldDefs&& fields, TRowStore&& rows);
  std::vector<TRow>& Stored() { return Store_.Rows(); }
  const std::vector<TRow>& Stored() const { return Store_.Rows(); }
  bool Visible(size_t row) const;
  void Seek(size_t from);                 // the first visible row at or after `from`
  size_t NextVisible(size_t from) const;  // the first visible row at or after `from`, else the row count
  void RequireOpen() const;
  void RequireRow() const;
  [[noreturn]] void Fail(const std::string& what) const;
  // After a change: write now, or remember how to undo it in the running batch.
  void Changed(TUndo&& undo);
  void Undo(TUndo& undo);
  // Writes the file; keepPieces: the rows take their pieces of the text written (no undo of a
  // batch can bring back rows with pieces of the file before).
  void Write(bool keepPieces);
  // The text of the file, with where each row's piece begins (and where the last ends); false
  // when the pieces could not be copied from the file.
  bool Assemble(std::string& text, std::vector<std::uint64_t>& offsets, bool copyPieces) const;
  // The rows the filter's ranges select, as one flag per row; none without ranges.
  void NarrowFilter();
  const std::vector<TDayEntry>& DayIndex(int field);
  static std::vector<TDayEntry> SortedByDay(std::vector<TDayEntry> entries);
  // Keeping the flags in step with a row inserted, removed or changed: such rows are asked; and
  // the key indexes and highest values, which a row appended or changed in place only adds to.
  void RowInserted(size_t row);
  void RowRemoved(size_t row);
  void RowChanged(size_t row, const TRow& before);
  void RowsMoved();
  // The rows by the hash of one key field's value; an entry whose row has since changed stays
  // until the index is built anew, so a search checks the row's value.
  struct TKeyIndex {
    int Field;
    std::unordered_multimap<std::size_t, std::uint32_t> Rows;
  };
  TKeyIndex& KeyIndex(int field);
  void AddToKeyIndexes(size_t row);
  void AddToHighest(size_t row);
  // Removes the rows the predicate (given a position) selects, with one write.
  int RemoveRows(const std::function<bool(size_t row)>& selects);

  std::string Name_;
  std::string FileName_;
  TFileWriter& Writer_;
  const TTableFormat& Format_;
  TFieldDefs Fields_;
  std::vector<std::string> RequiredFields_;
  TFieldDefs AddedFields_;
  TRowStore Store_;
  TFileSignature ReadSignature_;        // the file as it was last read or written
  TFileSignature PiecesSignature_;      // the version of the file the rows' pieces lie in
  TFileSignature UnreadableSignature_;  // the version of the file that last failed to read
  std::uint64_t ReadCount_ = 0;
  TState State_ = dsInactive;
  size_t Current_ = 0;
  TRowValues Buffer_;  // the row being edited
  TFilter Filter_;
  std::vector<TFieldRange> Ranges_;
  std::vector<TNamedRange> PartRanges_;  // while partial: the ranges the rows were read for
  bool Excerpt_ = false;                 // opened by OpenExcerpt
  std::vector<bool> Candidates_;         // per row: whether the filter is asked; empty: every row is
  // The rows flagged in Candidates_, ascending, while they are the ones the index gave (until a
  // row is inserted, removed or changed).
  std::vector<size_t> CandidateRows_;
  bool CandidateRowsKept_ = false;
  std::vector<std::pair<int, std::vector<TDayEntry>>> DayIndexes_;               // by field; dropped on a change
  std::vector<TKeyIndex> KeyIndexes_;                                            // dropped when rows move
  mutable std::vector<std::pair<size_t, std::optional<std::int64_t>>> Highest_;  // by field; dropped likewise
  bool Filtered_ = false;
  bool WriteThrough_ = false;
  TFileAccess FileAccess_ = faAsBefore;
  bool Unsaved_ = false;  // changed since the last write
  struct TBatchMark {
    size_t Log;    // where the batch began in the log
    bool Unsaved;  // whether the table had unwritten changes then
  };
  std::vector<TBatchMark> BatchMarks_;
  std::vector<TUndo> BatchLog_;
};

// A batch of changes on a table that is rolled back unless committed.
class TTableBatch {
 public:
  explicit TTableBatch(TDataTable& table) : Table_(table) { Table_.BeginBatch(); }
  ~TTableBatch() {
    if (!Done_) Table_.RollbackBatch();
  }
  TTableBatch(const TTableBatch&) = delete;
  TTableBatch& operator=(const TTableBatch&) = delete;
  void Commit() {
    Done_ = true;
    Table_.CommitBatch();
  }

 private:
  TDataTable& Table_;
  bool Done_ = false;
};
