#pragma once

// Identifiers of the program's dialog templates, controls, commands, strings and images.

// Dialog templates
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDD_LUMERA_DIALOG = 102;
constexpr int IDD_VERSE_EDITOR = 135;

// Images
constexpr int IDR_MAINFRAME = 128;
constexpr int IDB_ABOUT_LOGO = 133;
constexpr int IDC_LINK_CURSOR = 134;

// Strings
constexpr int IDS_ABOUTBOX = 101;
constexpr int IDS_VERSE_EDITOR = 102;

// Window-menu commands
constexpr unsigned IDM_ABOUTBOX = 0x0010;
constexpr unsigned IDM_VERSE_EDITOR = 0x8003;
constexpr unsigned IDM_COPY_VERSE = 0x8004;

// Controls
constexpr int IDC_STATIC = -1;
constexpr int IDC_TITLE = 1000;
constexpr int IDC_NUMBER = 1001;
constexpr int IDC_CONTENTS = 1002;
constexpr int IDC_LICPICT = 1003;
constexpr int IDC_ANOTHER = 1004;
constexpr int IDC_FIRST = 1005;
constexpr int IDC_PREV = 1006;
constexpr int IDC_NEXT = 1007;
constexpr int IDC_LAST = 1008;
constexpr int IDC_NEW = 1009;
constexpr int IDC_DELETE = 1011;
constexpr int IDC_COUNTER = 1013; // the editor's counter
constexpr int IDC_URL = 1013; // the about box's web address (another dialog)
constexpr int IDC_EMAIL = 1014;
