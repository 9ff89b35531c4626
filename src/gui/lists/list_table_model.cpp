#include "gui/lists/list_table_model.h"

#include <QCoreApplication>
#include <QItemSelectionModel>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <map>

namespace varomintel {

namespace {

constexpr const char* kContext = "ListTableModel";
constexpr double kEmpty = std::numeric_limits<double>::quiet_NaN();

// The contact columns of both lists from the record's field `first` on: the instant and the
// altitude of each contact, the magnitude and the duration after the greatest eclipse.
void AddContactColumns(std::vector<ListColumn>& columns, int first) {
  int f = first;
  for (const char* contact : {"P1", "U1", "U2", "Max.", "U3", "U4", "P4"}) {
    columns.push_back({QT_TRANSLATE_NOOP("ListTableModel", "%1 (UT)"), ColumnKind::Clock, f++, contact});
    columns.push_back({QT_TRANSLATE_NOOP("ListTableModel", "Alt. %1 (°)"), ColumnKind::Decimal, f++, contact});
    if (std::string_view(contact) == "Max.") {
      columns.push_back({QT_TRANSLATE_NOOP("ListTableModel", "Magnitude"), ColumnKind::Decimal, f++});
      columns.push_back({QT_TRANSLATE_NOOP("ListTableModel", "Duration"), ColumnKind::Duration, f++});
    }
  }
}

ListColumns MakeCityListColumns() {
  // Record: year, month, day, Delta T, phase, country, city, latitude, longitude,
  // population, then the contacts. Delta T is the same on every row: the caption's.
  ListColumns c;
  c.columns = {
      {QT_TRANSLATE_NOOP("ListTableModel", "Date"), ColumnKind::Date, 0},
      {QT_TRANSLATE_NOOP("ListTableModel", "Phase"), ColumnKind::Phase, 4},
      {QT_TRANSLATE_NOOP("ListTableModel", "Country"), ColumnKind::Text, 5},
      {QT_TRANSLATE_NOOP("ListTableModel", "City"), ColumnKind::Text, 6},
      {QT_TRANSLATE_NOOP("ListTableModel", "Latitude"), ColumnKind::Latitude, 7},
      {QT_TRANSLATE_NOOP("ListTableModel", "Longitude"), ColumnKind::Longitude, 8},
      {QT_TRANSLATE_NOOP("ListTableModel", "Population"), ColumnKind::Integer, 9},
  };
  AddContactColumns(c.columns, 10);
  c.filterFields = {5, 6};
  return c;
}

ListColumns MakeCityHistColumns() {
  // Record: year, month, day, Delta T, phase, place, Saros, member, members, then the contacts.
  ListColumns c;
  c.columns = {
      {QT_TRANSLATE_NOOP("ListTableModel", "Date"), ColumnKind::Date, 0},
      {QT_TRANSLATE_NOOP("ListTableModel", "Delta T (s)"), ColumnKind::Decimal, 3},
      {QT_TRANSLATE_NOOP("ListTableModel", "Phase"), ColumnKind::Phase, 4},
      {QT_TRANSLATE_NOOP("ListTableModel", "Place"), ColumnKind::Text, 5},
      {QT_TRANSLATE_NOOP("ListTableModel", "Saros"), ColumnKind::Integer, 6},
      {QT_TRANSLATE_NOOP("ListTableModel", "Member"), ColumnKind::Integer, 7},
      {QT_TRANSLATE_NOOP("ListTableModel", "Members"), ColumnKind::Integer, 8},
  };
  AddContactColumns(c.columns, 9);
  c.filterFields = {5};
  return c;
}

double ParseNumber(std::string_view s) {
  double v = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  return r.ec == std::errc() ? v : kEmpty;
}

// "47°22'N", "008°32'E": signed degrees (south and west negative).
double ParseAngle(std::string_view s) {
  const std::size_t degree = s.find("\u00B0");
  if (s.empty() || degree == std::string_view::npos) return kEmpty;
  const double d = ParseNumber(s.substr(0, degree));
  const double m = ParseNumber(s.substr(degree + 2, 2));
  const char hemisphere = s.back();
  return (hemisphere == 'S' || hemisphere == 'W' ? -1 : 1) * (d + m / 60);
}

// "21:04:37" or "1:25": the parts as seconds (or minutes) of the day.
double ParseClock(std::string_view s) {
  if (s.empty()) return kEmpty;
  double total = 0;
  while (!s.empty()) {
    const std::size_t colon = s.find(':');
    total = total * 60 + ParseNumber(s.substr(0, colon));
    if (colon == std::string_view::npos) break;
    s.remove_prefix(colon + 1);
  }
  return total;
}

double PhaseDepth(std::string_view s) {
  if (s == "h") return 1;
  if (s == "p") return 2;
  if (s == "t") return 3;
  return kEmpty;
}

QString Utf8(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

}  // namespace

QString PhaseName(std::string_view letter) {
  if (letter == "h") return QCoreApplication::translate("ListTableModel", "penumbral");
  if (letter == "p") return QCoreApplication::translate("ListTableModel", "partial");
  if (letter == "t") return QCoreApplication::translate("ListTableModel", "total");
  return Utf8(letter);
}

const ListColumns& CityListColumns() {
  static const ListColumns columns = MakeCityListColumns();
  return columns;
}

const ListColumns& CityHistColumns() {
  static const ListColumns columns = MakeCityHistColumns();
  return columns;
}

ListTableModel::ListTableModel(const ListColumns& columns, QObject* parent)
    : QAbstractTableModel(parent), columns_(columns) {
  for (const ListColumn& c : columns_.columns) fields_ = std::max(fields_, c.field + (c.kind == ColumnKind::Date ? 3 : 1));
  for (const int f : columns_.filterFields) fields_ = std::max(fields_, f + 1);
}

void ListTableModel::Append(std::vector<std::string> records) {
  if (records.empty()) return;
  const int first = rowCount();
  beginInsertRows(QModelIndex(), first, first + static_cast<int>(records.size()) - 1);
  const auto stride = static_cast<std::size_t>(fields_ + 1);
  starts_.reserve(starts_.size() + records.size() * stride);
  for (std::string& r : records) {
    // A record longer than the offsets can count is kept whole but shown up to there.
    const std::size_t limit = std::min<std::size_t>(r.size(), std::numeric_limits<std::uint16_t>::max() - 1);
    std::size_t at = 0;
    for (int f = 0; f < fields_; ++f) {
      starts_.push_back(static_cast<std::uint16_t>(at));
      if (at <= limit) {
        const std::size_t tab = r.find('\t', at);
        at = tab == std::string::npos || tab > limit ? limit + 1 : tab + 1;
      }
    }
    starts_.push_back(static_cast<std::uint16_t>(at));  // one past the last field's tab
    records_.push_back(std::move(r));
  }
  endInsertRows();
}

void ListTableModel::Clear() {
  beginResetModel();
  records_.clear();
  starts_.clear();
  endResetModel();
}

std::string_view ListTableModel::Field(int row, int field) const {
  if (field < 0 || field >= fields_) return {};
  const std::string& r = records_[static_cast<std::size_t>(row)];
  const std::size_t base = static_cast<std::size_t>(row) * static_cast<std::size_t>(fields_ + 1);
  const std::size_t begin = starts_[base + static_cast<std::size_t>(field)];
  const std::size_t end = starts_[base + static_cast<std::size_t>(field) + 1];
  if (begin >= r.size() || end <= begin) return {};
  return std::string_view(r).substr(begin, std::min(end - 1, r.size()) - begin);
}

int ListTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(records_.size());
}

int ListTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(columns_.columns.size());
}

QString ListTableModel::Display(int row, const ListColumn& column) const {
  const std::string_view field = Field(row, column.field);
  switch (column.kind) {
    case ColumnKind::Date: {
      if (field.empty()) return {};
      const auto two = [&](int f) { return Utf8(Field(row, f)).rightJustified(2, '0'); };
      return Utf8(field) + '-' + two(column.field + 1) + '-' + two(column.field + 2);
    }
    case ColumnKind::Phase:
      return PhaseName(field);
    default:
      return Utf8(field);
  }
}

double ListTableModel::Number(int row, const ListColumn& column) const {
  const std::string_view field = Field(row, column.field);
  switch (column.kind) {
    case ColumnKind::Date: {
      // Months and days below 100: year, month and day in one number that keeps the
      // calendar's order, also for negative years.
      const double y = ParseNumber(field), m = ParseNumber(Field(row, column.field + 1)),
                   d = ParseNumber(Field(row, column.field + 2));
      return y * 10000 + m * 100 + d;
    }
    case ColumnKind::Integer:
    case ColumnKind::Decimal:
      return ParseNumber(field);
    case ColumnKind::Latitude:
    case ColumnKind::Longitude:
      return ParseAngle(field);
    case ColumnKind::Clock:
    case ColumnKind::Duration:
      return ParseClock(field);
    case ColumnKind::Phase:
      return PhaseDepth(field);
    case ColumnKind::Text:
      break;
  }
  return kEmpty;
}

bool ListTableModel::Less(int a, int b, int column) const {
  const ListColumn& c = columns_.columns[static_cast<std::size_t>(column)];
  if (c.kind == ColumnKind::Text) {
    const std::string_view x = Field(a, c.field), y = Field(b, c.field);
    if (x.empty() != y.empty()) return y.empty();
    return QString::localeAwareCompare(Utf8(x), Utf8(y)) < 0;
  }
  const double x = Number(a, c), y = Number(b, c);
  if (std::isnan(x) || std::isnan(y)) return !std::isnan(x) && std::isnan(y);
  return x < y;
}

bool ListTableModel::Matches(int row, const QString& text) const {
  for (const int f : columns_.filterFields)
    if (Utf8(Field(row, f)).contains(text, Qt::CaseInsensitive)) return true;
  return false;
}

QVariant ListTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount()) return {};
  const ListColumn& c = columns_.columns[static_cast<std::size_t>(index.column())];
  switch (role) {
    case Qt::DisplayRole:
      return Display(index.row(), c);
    case kSortRole:
      if (c.kind == ColumnKind::Text) return Utf8(Field(index.row(), c.field));
      return Number(index.row(), c);
    case Qt::TextAlignmentRole:
      if (c.kind == ColumnKind::Text || c.kind == ColumnKind::Phase)
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
      return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    default:
      return {};
  }
}

QVariant ListTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  const ListColumn& c = columns_.columns[static_cast<std::size_t>(section)];
  if (role == Qt::DisplayRole) {
    const QString title = QCoreApplication::translate(kContext, c.title);
    return c.contact ? title.arg(QString::fromLatin1(c.contact)) : title;
  }
  return {};
}

ListFilterProxy::ListFilterProxy(ListTableModel* source, QObject* parent)
    : QSortFilterProxyModel(parent), source_(source) {
  setSourceModel(source);
  setSortRole(ListTableModel::kSortRole);
}

void ListFilterProxy::SetFilterText(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed == text_) return;
  text_ = trimmed;
  // The mapping made anew in one layout change: filtering the rows one removed or inserted
  // interval at a time would have the view follow each of thousands of scattered intervals
  // (seconds for a hundred thousand rows).
  invalidate();
}

bool ListFilterProxy::lessThan(const QModelIndex& left, const QModelIndex& right) const {
  return source_->Less(left.row(), right.row(), left.column());
}

bool ListFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex&) const {
  return text_.isEmpty() || source_->Matches(sourceRow, text_);
}

QString SelectedRowsText(const QItemSelectionModel& selection) {
  QModelIndexList rows = selection.selectedRows();
  if (rows.isEmpty()) return {};
  std::sort(rows.begin(), rows.end(), [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
  const QAbstractItemModel* model = selection.model();
  const int columns = model->columnCount();
  QString text;
  for (int c = 0; c < columns; ++c) text += (c ? "\t" : "") + model->headerData(c, Qt::Horizontal).toString();
  text += '\n';
  for (const QModelIndex& row : rows) {
    for (int c = 0; c < columns; ++c) text += (c ? "\t" : "") + model->index(row.row(), c).data().toString();
    text += '\n';
  }
  return text;
}

}  // namespace varomintel
