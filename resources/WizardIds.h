#pragma once
// Ids of the installer's wizard pages, progress window and pictures.

#define IDB_WIZARD_PICTURE 1
#define IDI_TARVINST 1

#define IDD_WELCOME 100
#define IDD_TARGET 101
#define IDD_LICENCE 102
#define IDD_USER_DATA 103
#define IDD_PROGRESS 110

// Shared by every page.
#define IDC_PICTURE 200
#define IDC_SEPARATOR 201
#define IDC_BACK 202

#define IDC_WELCOME_TEXT 210
#define IDC_WEB_ADDRESS 211

#define IDC_TARGET_LABEL 220
#define IDC_VIEWERS 221
#define IDC_ALREADY_INSTALLED 222
#define IDC_FREE_SPACE 223
#define IDC_REQUIRED_SPACE 224

#define IDC_LICENCE_LABEL 230
#define IDC_LICENCE_TEXT 231
#define IDC_AGREE 232

#define IDC_USER_GROUP 240
#define IDC_NAME 241
#define IDC_COMPANY 242

#define IDC_PROGRESS_BAR 250
#define IDC_PROGRESS_STATUS 251
