#pragma once

#include <QtGlobal>

// The window-system vocabulary the dialogs and templates are written in:
// style bits, message-box types and command results, with their classic values.

// Window styles
constexpr quint32 WS_POPUP = 0x80000000;
constexpr quint32 WS_CHILD = 0x40000000;
constexpr quint32 WS_VISIBLE = 0x10000000;
constexpr quint32 WS_DISABLED = 0x08000000;
constexpr quint32 WS_CAPTION = 0x00C00000;
constexpr quint32 WS_BORDER = 0x00800000;
constexpr quint32 WS_VSCROLL = 0x00200000;
constexpr quint32 WS_HSCROLL = 0x00100000;
constexpr quint32 WS_SYSMENU = 0x00080000;
constexpr quint32 WS_GROUP = 0x00020000;
constexpr quint32 WS_TABSTOP = 0x00010000;

// Extended window styles
constexpr quint32 WS_EX_STATICEDGE = 0x00020000;
constexpr quint32 WS_EX_APPWINDOW = 0x00040000;

// Dialog styles
constexpr quint32 DS_SETFONT = 0x40;
constexpr quint32 DS_MODALFRAME = 0x80;

// Button styles (the low four bits select the kind)
constexpr quint32 BS_TYPEMASK = 0xF;
constexpr quint32 BS_PUSHBUTTON = 0x0;
constexpr quint32 BS_DEFPUSHBUTTON = 0x1;
constexpr quint32 BS_GROUPBOX = 0x7;
constexpr quint32 BS_OWNERDRAW = 0xB;

// Edit styles
constexpr quint32 ES_LEFT = 0x0;
constexpr quint32 ES_CENTER = 0x1;
constexpr quint32 ES_RIGHT = 0x2;
constexpr quint32 ES_MULTILINE = 0x4;
constexpr quint32 ES_AUTOVSCROLL = 0x40;
constexpr quint32 ES_AUTOHSCROLL = 0x80;
constexpr quint32 ES_READONLY = 0x800;
constexpr quint32 ES_WANTRETURN = 0x1000;

// Static styles (the low five bits select the kind)
constexpr quint32 SS_TYPEMASK = 0x1F;
constexpr quint32 SS_LEFT = 0x0;
constexpr quint32 SS_CENTER = 0x1;
constexpr quint32 SS_RIGHT = 0x2;
constexpr quint32 SS_ICON = 0x3;
constexpr quint32 SS_BITMAP = 0xE;
constexpr quint32 SS_NOPREFIX = 0x80;
constexpr quint32 SS_CENTERIMAGE = 0x200;

// Message-box types
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_RETRYCANCEL = 0x5;
constexpr unsigned MB_TYPEMASK = 0xF;
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONSTOP = MB_ICONHAND;
constexpr unsigned MB_ICONERROR = MB_ICONHAND;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr unsigned MB_ICONMASK = 0xF0;

// Commands the platform sends to the application
constexpr unsigned ID_HELP = 0xE146;

// Command and message-box results
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDRETRY = 4;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
