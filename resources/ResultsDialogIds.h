#pragma once
// Ids of the results and display options dialog templates
// (resources/ResultsDialog.rc). "&Zobraziť" and "&Nastaviť" are IDOK and the
// "&Storno" buttons IDCANCEL, so Enter and Escape reach them.

#define IDD_RESULTS 300
#define IDD_DISPLAY_OPTIONS 301

#define IDC_RESULTS_SUMMARY 1300
#define IDC_RESULTS_LIST 1301
#define IDC_RESULTS_PREVIOUS_PAGE 1302
#define IDC_RESULTS_NEXT_PAGE 1303
#define IDC_RESULTS_OPTIONS 1304
#define IDC_RESULTS_SEARCH 1305
#define IDC_RESULTS_CLOSE_ON_SHOW 1306

// The nine check boxes of the display options, in column id order.
#define IDC_OPTIONS_GROUP 1319
#define IDC_OPTIONS_COLUMN0 1310
