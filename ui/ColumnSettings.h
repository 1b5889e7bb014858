#pragma once
// The results list's column settings, kept per user under the SearchColumn
// key: for each column id n the DWORD values Column<n>_Visible, _Width and
// _Sort. Which columns the list shows, with what width and sort flag, is
// decided here; the dialog only adds what the plan says.

#include <array>
#include <cstdint>
#include <vector>

#include "platform/Registry.h"
#include "ui/ResultColumns.h"

namespace tarvek::ui {

inline constexpr int32_t kAutomaticWidth = -1;
// Stored widths from 0 up to this are used; others give the automatic width.
inline constexpr int32_t kMaxStoredWidth = 399;

struct StoredColumn {
  bool visible = false;          // absent: hidden
  int32_t width = kAutomaticWidth;  // absent or out of range: automatic
  int sortFlag = 0;              // absent: 0
};

struct StoredColumns {
  bool keyOpened = false;  // false: nothing was read, and nothing is written
  std::array<StoredColumn, kColumnCount> columns{};
};

// A column the list is to show, in list order.
struct PlannedColumn {
  int id = 0;
  int32_t width = kAutomaticWidth;
  int sortFlag = 0;
};

// A column the list shows, as read back from its header.
struct ShownColumn {
  int tag = 0;
  int32_t width = 0;
};

class ColumnSettings {
 public:
  explicit ColumnSettings(Registry& registry) : registry_(registry) {}

  // Reads the nine columns, creating the key when absent. The file name
  // column reads as visible whenever the key opens. A Sort value other than
  // 1 reads as 0, so a tag always names its own column.
  StoredColumns read();

  // The columns to add, in id order: those marked visible, or all nine when
  // at most one is.
  static std::vector<PlannedColumn> plan(const StoredColumns& stored);

  // After the list has added a column: Visible = 1 and Sort as read are
  // written back; Width stays.
  void storeAdded(const StoredColumns& stored, const PlannedColumn& column);

  // Saves the list's state: shown columns get Visible 1, their width and
  // their tag's flag; hidden ones get Visible 0 and keep Width and Sort.
  void save(const std::vector<ShownColumn>& shown);

  // The display options' choice: Visible from each flag, Sort 0; Width stays.
  void storeChoice(const std::array<bool, kColumnCount>& visible);

 private:
  void write(int columnId, int field, uint32_t value);

  Registry& registry_;  // not owned
};

}  // namespace tarvek::ui
