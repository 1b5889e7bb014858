#pragma once
// Ids of the error dialog template (resources/ErrorDialog.rc).

#define IDD_ERROR 200
#define IDC_ERROR_ICON 201
#define IDC_ERROR_MESSAGE 202
#define IDC_ERROR_INDEX_LABEL 203
#define IDC_ERROR_INDEX 204
#define IDC_ERROR_FILE_LABEL 205
#define IDC_ERROR_FILE 206
#define IDC_ERROR_NUMBER 207
