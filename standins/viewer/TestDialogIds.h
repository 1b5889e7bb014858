#pragma once
// Ids of the viewer's own test dialog (viewer.rc).

#define IDD_VIEWER_TEST 100
#define IDC_TEST_WORD 101
#define IDC_TEST_LANGUAGE 102
#define IDC_TEST_INDEXES 103
#define IDC_TEST_LEMMATIZATION 104
