#include "settings/RegistryLayout.h"

namespace tarvek::settings {

std::string searchEditValueName(int position) { return "SearchEdit" + std::to_string(position); }

std::string operatorValueName(int position) { return "Operator" + std::to_string(position); }

std::string columnValueName(int columnId, ColumnField field) {
  const char* suffix = field == ColumnField::visible ? "Visible" : field == ColumnField::width ? "Width" : "Sort";
  return "Column" + std::to_string(columnId) + "_" + suffix;
}

}  // namespace tarvek::settings
