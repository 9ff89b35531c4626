// The rows of a list run as a table: ListTableModel holds the saved records (the
// tab-separated lines that "Save as" writes) and shows their fields as columns, with full
// names and numbers that sort as numbers; ListFilterProxy sorts by any column and keeps
// the rows whose name or country contains a typed text.
//
// Why the saved records: they are what the file holds, so the table and the file never
// disagree, and a hundred thousand of them take some 20 MB (about 150 bytes of text and 54
// of field offsets each). Each record is split once, when it arrives (the start of every
// field is kept); a cell is converted to text only when the view asks for it.
#pragma once

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class QItemSelectionModel;

namespace varomintel {

// How a column shows and sorts its field.
enum class ColumnKind : std::uint8_t {
  Date,       // fields year, month, day: "2022-11-08", sorted by the calendar
  Integer,    // whole number, right-aligned
  Decimal,    // number with decimals, right-aligned
  Text,       // a name, sorted in the language's alphabetical order
  Phase,      // the deepest phase seen, 'h', 'p' or 't': shown as a word, sorted by depth
  Latitude,   // "47°22'N", sorted south to north
  Longitude,  // "008°32'E", sorted west to east
  Clock,      // "21:04:37" universal time, sorted by seconds of the day
  Duration,   // "1:25" hours and minutes, sorted by minutes
};

struct ListColumn {
  const char* title;  // untranslated header (context "ListTableModel"); "%1" takes `contact`
  ColumnKind kind;
  int field;          // index of the record's field (the date's: its year)
  const char* contact = nullptr;  // the contact's name of a contact column
};

// The columns of one window's table and the record's fields that the filter reads.
struct ListColumns {
  std::vector<ListColumn> columns;
  std::vector<int> filterFields;
};
const ListColumns& CityListColumns();
// The phase letter of a record as the table shows it, in the language.
QString PhaseName(std::string_view letter);
const ListColumns& CityHistColumns();

class ListTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  // The value a column sorts by (Qt::UserRole): a double, or the text of a text column.
  static constexpr int kSortRole = Qt::UserRole;

  explicit ListTableModel(const ListColumns& columns, QObject* parent = nullptr);

  // Appends records (UTF-8, tab-separated) in one insertion.
  void Append(std::vector<std::string> records);
  void Clear();
  // The record of row `row` as it arrived, and one of its fields (empty past its end).
  const std::string& Record(int row) const { return records_[static_cast<std::size_t>(row)]; }
  std::string_view Field(int row, int field) const;
  const ListColumns& Columns() const { return columns_; }
  // Whether row a comes before row b in column `column`, ascending; empty cells last.
  bool Less(int a, int b, int column) const;
  // Whether a field of the filter holds `text` (case-insensitive).
  bool Matches(int row, const QString& text) const;

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  // The header texts again (after a change of language).
  void Retranslate() { emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1); }

 private:
  QString Display(int row, const ListColumn& column) const;
  double Number(int row, const ListColumn& column) const;  // NaN for an empty cell

  ListColumns columns_;
  int fields_ = 0;  // fields kept per record
  std::vector<std::string> records_;
  std::vector<std::uint16_t> starts_;  // per record fields_ + 1 offsets: field f is [starts[f], starts[f+1]-1)
};

class ListFilterProxy : public QSortFilterProxyModel {
  Q_OBJECT
 public:
  explicit ListFilterProxy(ListTableModel* source, QObject* parent = nullptr);
  // Rows whose name or country holds `text`; all rows when it is empty.
  void SetFilterText(const QString& text);

 protected:
  bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;
  bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

 private:
  ListTableModel* source_;
  QString text_;
};

// The selected rows of `selection` (in the order of its model) as tab-separated text: the
// header line, then one line per row, each ended by '\n'. Empty without a selected row.
QString SelectedRowsText(const QItemSelectionModel& selection);

}  // namespace varomintel
