#pragma once

#include "data/ErrorReporter.h"
#include "data/Settings.h"
#include "data/VerseFile.h"
#include "data/VerseList.h"
#include "platform/CDialog.h"
#include "platform/SystemMenu.h"
#include "ui/main/VersePick.h"
#include "ui/main/VerseSaver.h"

#include <QFont>
#include <QIcon>

class CBitmapButton;
class QAction;

// The main window: shows one verse of the verse file at random, picks again
// on "Another", shows the edition information from the logo button, and runs
// the verse editor and the about box from its window menu.
class CLumeraDlg : public CDialog, private ErrorReporter
{
    Q_OBJECT

public:
    explicit CLumeraDlg(QWidget *pParent = nullptr);
    ~CLumeraDlg() override;

    void LoadSettings();
    void LoadVerseFile();
    // Writes edits not yet in the verse file back to it (see VerseSaver).
    void SaveVerseFile();
    // The program is ending without its window (the display went away):
    // edits not in the file go to a recovery copy, told of at the next start.
    void KeepUnsavedEdits();
    void PickRandomVerse();
    // Puts the verse shown on the clipboard (the window menu's "Copy verse").
    void CopyVerse();
    void ShowEditionInfo();
    // A window-menu command: the about box (any id that masks to it), the
    // verse editor, or the window's own commands.
    void OnSysCommand(unsigned nID);

    QMenu *WindowMenu() const { return m_windowMenu->Menu(); }
    const VerseFile &File() const { return m_verseFile; }

    int m_bCzech;
    Settings m_settings;
    QString m_strTitle;
    QString m_strNumber;
    QString m_strContents;
    QIcon m_hIcon;
    VerseList m_verses;
    QFont m_fontTitle;
    QFont m_fontContents;
    CBitmapButton *m_btnLogo = nullptr;
    // The random numbers of the picks: seeded once per run by the system.
    RandomBelow m_random;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange *pDX) override;
    // Exit, Escape and the close box: first a word on edits not in the file.
    void OnOK() override;
    void OnCancel() override;
    void PostNcDestroy() override;
    // Minimised, draws the icon; only window systems that show a minimised
    // window's own picture get here. A Wayland client is never told it is
    // minimised: the desktop shows the icon of the entry its app id names.
    void paintEvent(QPaintEvent *event) override;

private:
    void ReportFileError(const QString &message) override;
    void BuildSystemMenu();
    void BuildFonts();
    void LoadLogo();
    void ShowCurrentVerse();
    void ShowEmptyListHints();
    void RunVerseEditor();
    void RunAboutBox();

    VerseFile m_verseFile;
    VerseSaver m_saver;
    bool m_picked = false; // a pick has shown a verse
    SystemMenu *m_windowMenu = nullptr;
    QAction *m_copyVerse = nullptr;
};
