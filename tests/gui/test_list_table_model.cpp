// The list windows' table: each column kind sorts by its value, not by its text (a text
// sort puts "10000" before "900", "-1000" after "-500", "05°00'S" before "33°52'S" and
// "12:05" before "1:25"), empty cells come last, the filter finds name or country in any
// case, and a copy gives the header and the selected rows in the table's order.
#include <gtest/gtest.h>

#include <QItemSelectionModel>

#include <string>
#include <vector>

#include "gui/common/qt_translations.h"
#include "gui/lists/list_table_model.h"

namespace varomintel {
namespace {

// Saved records of the city list: year, month, day, Delta T, phase, country, city,
// latitude, longitude, population, then P1 (instant, altitude), U1, U2, Max. (instant,
// altitude, magnitude, duration), U3, U4, P4. A place that sees only part of the eclipse
// ends its record at its last visible contact, as the saved list does.
const std::vector<std::string> kRecords = {
    "1990\t2\t9\t56.9\tt\tSchweiz\tZürich\t47°22'N\t008°32'E\t341730\t17:29:06\t12.0\t18:30:10\t20.1\t"
    "19:49:51\t29.0\t19:51:47\t29.4\t1.080\t1:25\t21:16:23\t39.2\t22:16:30\t43.5\t23:17:17\t44.6",
    "-500\t3\t4\t17190.0\tp\tÄgypten\tAlexandria\t31°12'N\t029°55'E\t2000000\t\t\t23:02:44\t-0.5\t\t\t"
    "0:12:05\t5.0\t0.512\t12:05",
    "-1000\t11\t30\t25428.4\th\tSchweiz\tAesch\t47°28'N\t007°36'E\t900\t3:05:00\t5.0\t\t\t\t\t"
    "4:10:00\t4.0\t-0.300\t0:59",
    "200\t7\t1\t10580.1\tt\tChile\tChur\t33°52'S\t122°00'W\t10000\t10:00:00\t60.0\t\t\t\t\t"
    "11:00:00\t70.0\t1.200\t2:00",
    "2027\t12\t31\t70.0\tp\tEcuador\tDavos\t05°00'S\t000°07'W\t9999\t",
};

// The window's table of those records, in a window's language.
struct TableCase {
  const char* name;
  const char* header;    // the column sorted by (its English title), or null
  Qt::SortOrder order;
  const char* filter;
  std::vector<const char*> cities;  // the rows shown, top to bottom
};

class ListTable : public ::testing::TestWithParam<TableCase> {
 protected:
  void SetUp() override {
    InstallTranslations(1);  // English titles
    model_.Append(kRecords);
  }
  int Column(const char* header) const {
    for (int c = 0; c < model_.columnCount(); ++c)
      if (model_.headerData(c, Qt::Horizontal).toString() == QString::fromUtf8(header)) return c;
    ADD_FAILURE() << "no column " << header;
    return 0;
  }
  std::vector<std::string> Cities(const QAbstractItemModel& view) const {
    std::vector<std::string> cities;
    for (int r = 0; r < view.rowCount(); ++r) cities.push_back(view.index(r, Column("City")).data().toString().toStdString());
    return cities;
  }
  ListTableModel model_{CityListColumns()};
};

TEST_P(ListTable, SortsFiltersAndCopiesAsTheUserSeesIt) {
  const TableCase& c = GetParam();
  ListFilterProxy view(&model_);
  view.SetFilterText(QString::fromUtf8(c.filter));
  view.sort(c.header ? Column(c.header) : -1, c.order);
  EXPECT_EQ(Cities(view), std::vector<std::string>(c.cities.begin(), c.cities.end()));

  // Rows arriving while sorted and filtered take their places among the others.
  model_.Append({"2000\t1\t21\t64.0\tt\tSchweiz\tBasel\t47°34'N\t007°36'E\t170000\t"});
  std::vector<std::string> all;
  for (int r = 0; r < model_.rowCount(); ++r) all.push_back(model_.Record(r));
  EXPECT_EQ(all.back(), "2000\t1\t21\t64.0\tt\tSchweiz\tBasel\t47°34'N\t007°36'E\t170000\t");
  const bool basel = model_.Matches(model_.rowCount() - 1, QString::fromUtf8(c.filter).trimmed());
  EXPECT_EQ(view.rowCount(), static_cast<int>(c.cities.size()) + (basel ? 1 : 0));

  // Copy: the header, then the first and the last row shown, in the table's order.
  QItemSelectionModel selection(&view);
  ASSERT_GT(view.rowCount(), 0);
  selection.select(view.index(view.rowCount() - 1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  selection.select(view.index(0, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
  const QStringList lines = SelectedRowsText(selection).split('\n');
  ASSERT_EQ(lines.size(), view.rowCount() > 1 ? 4 : 3);  // the text ends with a line end
  EXPECT_EQ(lines.back(), "");
  const QStringList header = lines[0].split('\t');
  ASSERT_EQ(header.size(), view.columnCount());
  EXPECT_EQ(header.mid(0, 7), (QStringList{"Date", "Phase", "Country", "City", "Latitude", "Longitude", "Population"}));
  EXPECT_EQ(header[7], "P1 (UT)");
  const QStringList first = lines[1].split('\t');
  ASSERT_EQ(first.size(), view.columnCount());
  EXPECT_EQ(first[3], view.index(0, 3).data().toString());
  EXPECT_EQ(lines[lines.size() - 2].split('\t')[3], view.index(view.rowCount() - 1, 3).data().toString());
}

const TableCase kCases[] = {
    {"RunOrder", nullptr, Qt::AscendingOrder, "", {"Zürich", "Alexandria", "Aesch", "Chur", "Davos"}},
    {"DateAcrossTheYearZero", "Date", Qt::AscendingOrder, "", {"Aesch", "Alexandria", "Chur", "Zürich", "Davos"}},
    {"DateDescending", "Date", Qt::DescendingOrder, "", {"Davos", "Zürich", "Chur", "Alexandria", "Aesch"}},
    {"PhaseByDepth", "Phase", Qt::AscendingOrder, "", {"Aesch", "Alexandria", "Davos", "Zürich", "Chur"}},
    {"Names", "City", Qt::AscendingOrder, "", {"Aesch", "Alexandria", "Chur", "Davos", "Zürich"}},
    {"LatitudeSouthToNorth", "Latitude", Qt::AscendingOrder, "", {"Chur", "Davos", "Alexandria", "Zürich", "Aesch"}},
    {"LongitudeWestToEast", "Longitude", Qt::AscendingOrder, "", {"Chur", "Davos", "Aesch", "Zürich", "Alexandria"}},
    {"PopulationAsNumbers", "Population", Qt::AscendingOrder, "", {"Aesch", "Davos", "Chur", "Zürich", "Alexandria"}},
    // Empty cells last: Alexandria and Davos do not see P1.
    {"ClockSecondsOfTheDay", "P1 (UT)", Qt::AscendingOrder, "", {"Aesch", "Chur", "Zürich", "Alexandria", "Davos"}},
    {"NegativeAltitude", "Alt. U1 (°)", Qt::AscendingOrder, "", {"Alexandria", "Zürich", "Aesch", "Chur", "Davos"}},
    {"SignedMagnitude", "Magnitude", Qt::AscendingOrder, "", {"Aesch", "Alexandria", "Zürich", "Chur", "Davos"}},
    {"DurationHoursAndMinutes", "Duration", Qt::AscendingOrder, "", {"Aesch", "Zürich", "Chur", "Alexandria", "Davos"}},
    {"FilterCountryAnyCase", "Population", Qt::DescendingOrder, "SCHWEIZ", {"Zürich", "Aesch"}},
    {"FilterNameWithUmlaut", nullptr, Qt::AscendingOrder, " äGY ", {"Alexandria"}},
    {"FilterCityPart", nullptr, Qt::AscendingOrder, "ch", {"Zürich", "Aesch", "Chur"}},
};
INSTANTIATE_TEST_SUITE_P(Columns, ListTable, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<TableCase>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace varomintel
