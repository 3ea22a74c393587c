#pragma once

#include "data/ErrorReporter.h"
#include "data/Settings.h"
#include "data/VerseFile.h"
#include "data/VerseList.h"
#include "platform/CDialog.h"

#include <QFont>
#include <QIcon>

#include <ctime>
#include <functional>

class CBitmapButton;
class QMenu;

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
    void SaveVerseFile();
    void PickRandomVerse();
    void ShowEditionInfo();
    // A window-menu command: the about box (any id that masks to it), the
    // verse editor, or the window's own commands.
    void OnSysCommand(unsigned nID);

    // The window's own menu commands.
    static constexpr unsigned SC_MOVE = 0xF010;
    static constexpr unsigned SC_CLOSE = 0xF060;

    QMenu *SystemMenu() const { return m_pSysMenu; }
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
    // The clock that seeds each pick (whole seconds).
    std::function<std::time_t()> m_clock = [] { return std::time(nullptr); };

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange *pDX) override;
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void ReportFileError(const QString &message) override;
    void BuildSystemMenu();
    void ShowSystemMenu(const QPoint &globalPos);
    void BuildFonts();
    void LoadLogo();
    void ShowCurrentVerse();
    void RunVerseEditor();
    void RunAboutBox();

    VerseFile m_verseFile;
    QMenu *m_pSysMenu = nullptr;
};
