#pragma once
// Whether the last search left files to show or step through; the enable rule
// of the results and step commands.

namespace tarvek::host {

// True iff the process-wide result set holds at least one file.
bool filesPresent();

}  // namespace tarvek::host
