#include "host/FilesPresent.h"

#include "search/SearchResultSet.h"

namespace tarvek::host {

bool filesPresent() { return processResultSet().fileCount() > 0; }

}  // namespace tarvek::host
