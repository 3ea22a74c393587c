#include "res/DialogTemplates.h"

#include "platform/WinTypes.h"
#include "res/Resource.h"

namespace {

constexpr auto Button = ControlClass::Button;
constexpr auto Edit = ControlClass::Edit;
constexpr auto Static = ControlClass::Static;

QString FontFace()
{
    return QStringLiteral("MS Sans Serif");
}
constexpr int kPointSize = 8;

// The tables keep one control to a line, laid out by hand.
// clang-format off
DialogTemplate MainDialog()
{
    return {IDD_LUMERA_DIALOG, QStringLiteral("Lumera"), FontFace(), kPointSize, 227, 215,
            0x90C800C0, WS_EX_APPWINDOW,
            {
                {IDOK, Button, QStringLiteral("Exit"), 165, 190, 50, 14, 0x50010001},
                {IDC_ANOTHER, Button, QStringLiteral("Another"), 10, 190, 50, 14, 0x50010000},
                {IDC_TITLE, Edit, QString(), 10, 55, 205, 15, 0x50810885, 0, QStringLiteral("Title")},
                {IDC_NUMBER, Edit, QString(), 10, 75, 205, 15, 0x50810885, 0, QStringLiteral("Reference")},
                {IDC_CONTENTS, Edit, QString(), 10, 110, 205, 70, 0x50810804, 0, QStringLiteral("Verse")},
                {IDC_STATIC, Static, QStringLiteral("Verse"), 10, 100, 205, 10, 0x50020001},
                {IDC_LICPICT, Button, QStringLiteral("LicPict"), 40, 25, 155, 25, 0x5001000B, 0,
                 QStringLiteral("Edition information")},
                {IDC_STATIC, Static, QStringLiteral("Orvane Press presents a verse for today"),
                 10, 5, 205, 15, 0x50020201, WS_EX_STATICEDGE},
            }};
}

DialogTemplate VerseEditor()
{
    constexpr quint32 label = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
    constexpr quint32 lineField = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP
                                  | ES_MULTILINE | ES_AUTOHSCROLL;
    constexpr quint32 textField = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_MULTILINE;
    constexpr quint32 picture = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW;
    return {IDD_VERSE_EDITOR, QStringLiteral("Edit verses"), FontFace(), kPointSize, 225, 181,
            WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT, 0,
            {
                {IDC_STATIC, Static, QStringLiteral("Title of the verse:"), 7, 7, 56, 8, label},
                {IDC_TITLE, Edit, QString(), 7, 18, 211, 15, lineField},
                {IDC_STATIC, Static, QStringLiteral("Number of the verse:"), 7, 38, 67, 8, label},
                {IDC_NUMBER, Edit, QString(), 7, 49, 211, 15, lineField},
                {IDC_STATIC, Static, QStringLiteral("Contents of the verse:"), 7, 71, 70, 8, label},
                {IDC_CONTENTS, Edit, QString(), 7, 82, 211, 70, textField},
                {IDOK, Button, QStringLiteral("Exit"), 168, 160, 50, 14,
                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON},
                {IDC_FIRST, Button, QStringLiteral("First"), 7, 160, 14, 14, picture},
                {IDC_PREV, Button, QStringLiteral("Prev"), 23, 160, 14, 14, picture},
                {IDC_NEXT, Button, QStringLiteral("Next"), 39, 160, 14, 14, picture},
                {IDC_LAST, Button, QStringLiteral("Last"), 55, 160, 14, 14, picture},
                {IDC_NEW, Button, QStringLiteral("New"), 79, 160, 14, 14, picture},
                {IDC_DELETE, Button, QStringLiteral("Delete"), 96, 160, 14, 14, picture},
                {IDC_COUNTER, Static, QStringLiteral("XXX/XXX"), 128, 162, 39, 8,
                 WS_CHILD | WS_VISIBLE | WS_GROUP | SS_CENTER},
            }};
}

DialogTemplate AboutBox()
{
    return {IDD_ABOUTBOX, QStringLiteral("About Lumera"), FontFace(), kPointSize, 236, 118,
            0x80C800C0, 0,
            {
                {IDC_STATIC, Static, QStringLiteral("IDR_MAINFRAME"), 11, 17, 20, 20, 0x50000003, 0,
                 QStringLiteral("Lumera icon")},
                {IDC_STATIC, Static,
                 QStringLiteral("Lumera Version 2.2\nRandomily displays bible verses."),
                 40, 10, 137, 16, 0x50020081},
                {IDC_STATIC, Static, QStringLiteral("Made by Orvane Press volunteers"),
                 40, 30, 111, 8, 0x50020001},
                {IDOK, Button, QStringLiteral("OK"), 179, 7, 50, 14, 0x50030001},
                {IDC_STATIC, Button, QStringLiteral("Information"), 7, 43, 222, 50, 0x50000007},
                {IDC_STATIC, Static, QStringLiteral("133"), 135, 62, 69, 16, 0x5000000E, 0,
                 QStringLiteral("Orvane Press logo")},
                {IDC_STATIC, Static, QStringLiteral("Orvane Press\nVerse tools for daily reading"),
                 15, 55, 120, 16, 0x50020000},
                // The two links and the invitation are wider than their texts
                // strictly need, so no desktop font cuts them short.
                {IDC_URL, Static, QStringLiteral("www.orvane.example"), 15, 79, 100, 8, 0x50020000},
                {IDC_EMAIL, Static, QStringLiteral("lumera@orvane.example"), 39, 71, 94, 8, 0x50020000},
                {IDC_STATIC, Static, QStringLiteral("e-mail:"), 15, 71, 21, 8, 0x50020000},
                {IDC_STATIC, Static,
                 QStringLiteral("If you like the program then send me an e-mail."),
                 44, 98, 170, 8, 0x50020000},
            }};
}
// clang-format on

} // namespace

const DialogTemplate &LoadDialogTemplate(int id)
{
    static const DialogTemplate main = MainDialog();
    static const DialogTemplate editor = VerseEditor();
    static const DialogTemplate about = AboutBox();
    static const DialogTemplate none{0, {}, FontFace(), kPointSize, 0, 0, 0, 0, {}};
    switch (id) {
    case IDD_LUMERA_DIALOG: return main;
    case IDD_VERSE_EDITOR: return editor;
    case IDD_ABOUTBOX: return about;
    default: return none;
    }
}
