#pragma once
// Ids of the tool-button pictures in query.rc, in the order of the buttons.

#define IDB_TOOL_SEARCH 2101
#define IDB_TOOL_RESULTS 2102
#define IDB_TOOL_PREVIOUS_HIT 2103
#define IDB_TOOL_NEXT_HIT 2104
