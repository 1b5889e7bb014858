#include "ui/ColumnSettings.h"

#include "settings/RegistryLayout.h"

namespace tarvek::ui {

using settings::ColumnField;
using settings::columnValueName;
using settings::kSearchColumnKey;

StoredColumns ColumnSettings::read() {
  StoredColumns stored;
  if (!registry_.createKey(Hive::currentUser, kSearchColumnKey)) return stored;
  stored.keyOpened = true;
  for (int id = 0; id < kColumnCount; ++id) {
    StoredColumn& column = stored.columns[id];
    uint32_t value = 0;
    if (registry_.readNumber(Hive::currentUser, kSearchColumnKey, columnValueName(id, ColumnField::visible),
                             &value) == RegStatus::ok)
      column.visible = value != 0;
    if (id == kColumnFile) column.visible = true;
    if (registry_.readNumber(Hive::currentUser, kSearchColumnKey, columnValueName(id, ColumnField::width),
                             &value) == RegStatus::ok) {
      const int32_t width = static_cast<int32_t>(value);
      if (width >= 0 && width <= kMaxStoredWidth) column.width = width;
    }
    if (registry_.readNumber(Hive::currentUser, kSearchColumnKey, columnValueName(id, ColumnField::sort),
                             &value) == RegStatus::ok)
      column.sortFlag = value == 1 ? 1 : 0;
  }
  return stored;
}

std::vector<PlannedColumn> ColumnSettings::plan(const StoredColumns& stored) {
  int visibleCount = 0;
  for (const StoredColumn& column : stored.columns) visibleCount += column.visible ? 1 : 0;
  std::vector<PlannedColumn> planned;
  for (int id = 0; id < kColumnCount; ++id) {
    const StoredColumn& column = stored.columns[id];
    if (column.visible || visibleCount <= 1) planned.push_back({id, column.width, column.sortFlag});
  }
  return planned;
}

void ColumnSettings::write(int columnId, int field, uint32_t value) {
  registry_.writeNumber(Hive::currentUser, kSearchColumnKey,
                        columnValueName(columnId, static_cast<ColumnField>(field)), value);
}

void ColumnSettings::storeAdded(const StoredColumns& stored, const PlannedColumn& column) {
  if (!stored.keyOpened) return;
  write(column.id, static_cast<int>(ColumnField::visible), 1);
  write(column.id, static_cast<int>(ColumnField::sort), static_cast<uint32_t>(column.sortFlag));
}

void ColumnSettings::save(const std::vector<ShownColumn>& shown) {
  if (!registry_.createKey(Hive::currentUser, kSearchColumnKey)) return;
  for (int id = 0; id < kColumnCount; ++id) {
    const ShownColumn* found = nullptr;
    for (const ShownColumn& column : shown)
      if (tagColumn(column.tag) == id) {
        found = &column;
        break;
      }
    if (!found) {
      // The file name counts as shown even when no header carries its tag.
      write(id, static_cast<int>(ColumnField::visible), id == kColumnFile ? 1 : 0);
      continue;
    }
    write(id, static_cast<int>(ColumnField::visible), 1);
    write(id, static_cast<int>(ColumnField::width), static_cast<uint32_t>(found->width));
    write(id, static_cast<int>(ColumnField::sort), static_cast<uint32_t>(tagSortFlag(found->tag)));
  }
}

void ColumnSettings::storeChoice(const std::array<bool, kColumnCount>& visible) {
  if (!registry_.createKey(Hive::currentUser, kSearchColumnKey)) return;
  for (int id = 0; id < kColumnCount; ++id) {
    write(id, static_cast<int>(ColumnField::visible), visible[id] || id == kColumnFile ? 1 : 0);
    write(id, static_cast<int>(ColumnField::sort), 0);
  }
}

}  // namespace tarvek::ui
