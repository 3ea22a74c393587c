#include "ui/main/CLumeraDlg.h"

#include "app/CLumeraApp.h"
#include "platform/CBitmapButton.h"
#include "platform/CDataExchange.h"
#include "platform/CopyKeyFilter.h"
#include "platform/LogFont.h"
#include "platform/MessageBox.h"
#include "platform/Resources.h"
#include "platform/SystemMenu.h"
#include "res/DialogTemplates.h"
#include "res/Resource.h"
#include "res/Strings.h"
#include "ui/about/CAboutDlg.h"
#include "ui/editor/CVerseEditDlg.h"
#include "ui/main/EditionInfo.h"
#include "ui/main/FontDescription.h"
#include "ui/main/IconPosition.h"

#include <QAction>
#include <QPainter>
#include <QRandomGenerator>

CLumeraDlg::CLumeraDlg(QWidget *pParent)
    : CDialog(LoadDialogTemplate(IDD_LUMERA_DIALOG), pParent)
    , m_bCzech(theApp.m_bCzech)
    , m_hIcon(LoadIconResource(QStringLiteral("IDR_MAINFRAME")))
    , m_random([](int bound) { return int(QRandomGenerator::global()->bounded(bound)); })
    , m_verseFile(QString())
    , m_saver(m_verseFile, m_verses, m_bCzech)
{
    OnClicked(IDC_ANOTHER, [this] { PickRandomVerse(); });
    OnClicked(IDC_LICPICT, [this] { ShowEditionInfo(); });
}

CLumeraDlg::~CLumeraDlg() = default;

void CLumeraDlg::DoDataExchange(CDataExchange *pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_TITLE, m_strTitle);
    DDX_Text(pDX, IDC_NUMBER, m_strNumber);
    DDX_Text(pDX, IDC_CONTENTS, m_strContents);
}

bool CLumeraDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    BuildSystemMenu();
    setWindowIcon(m_hIcon);
    LoadSettings();
    LoadVerseFile();
    m_saver.TellNotices();
    BuildFonts();
    LoadLogo();
    PickRandomVerse();
    return true;
}

void CLumeraDlg::BuildFonts()
{
    m_fontTitle = CreateFontIndirect(MakeLogFont(m_settings.m_strFont1, m_settings.m_strFace1, m_settings.m_strSize1));
    m_fontContents =
        CreateFontIndirect(MakeLogFont(m_settings.m_strFont2, m_settings.m_strFace2, m_settings.m_strSize2));
    GetDlgItem(IDC_TITLE)->setFont(m_fontTitle);
    GetDlgItem(IDC_NUMBER)->setFont(m_fontTitle);
    GetDlgItem(IDC_CONTENTS)->setFont(m_fontContents);
}

void CLumeraDlg::LoadLogo()
{
    m_btnLogo = qobject_cast<CBitmapButton *>(GetDlgItem(IDC_LICPICT));
    if (!m_btnLogo || !m_btnLogo->LoadBitmaps(QStringLiteral("ORVANE")))
        return;
    // The picture is shown whole, centred where the template puts the button.
    const QPoint centre = m_btnLogo->geometry().center();
    m_btnLogo->SizeToContent();
    m_btnLogo->move(centre - m_btnLogo->rect().center());
}

void CLumeraDlg::ShowEditionInfo()
{
    MessageBox(this, EditionInfoText(), EditionInfoCaption(m_bCzech), MB_OK | MB_ICONINFORMATION);
}

void CLumeraDlg::BuildSystemMenu()
{
    m_windowMenu = new SystemMenu(this, [this](unsigned id) { OnSysCommand(id); });
    m_windowMenu->AppendSeparator();
    // Ctrl+C copies the verse, unless a field has text selected to copy.
    m_copyVerse = m_windowMenu->AppendItem(IDM_COPY_VERSE, tr("&Copy verse"));
    m_copyVerse->setShortcut(QKeySequence::Copy);
    addAction(m_copyVerse);
    for (int id : {IDC_TITLE, IDC_NUMBER, IDC_CONTENTS})
        CopyKeyFilter::Install(GetDlgItem(id));
    m_windowMenu->AppendSeparator();
    m_windowMenu->AppendItem(IDM_VERSE_EDITOR, LoadResString(IDS_VERSE_EDITOR));
    m_windowMenu->AppendSeparator();
    m_windowMenu->AppendItem(IDM_ABOUTBOX, LoadResString(IDS_ABOUTBOX));
}

void CLumeraDlg::OnSysCommand(unsigned nID)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        RunAboutBox();
    } else if (nID == IDM_VERSE_EDITOR) {
        RunVerseEditor();
    } else if (nID == IDM_COPY_VERSE) {
        CopyVerse();
    } else {
        SystemMenu::DefaultCommand(this, nID);
    }
}

// The editor works on the verse arrays in place and on copies of the count
// and the index; afterwards what it changed is written to the file, and the
// verse at the editor's last position is shown (empty fields for none).
void CLumeraDlg::RunVerseEditor()
{
    CVerseEditDlg dlgEditor;
    dlgEditor.m_pTitles = &m_verses.m_arrTitles;
    dlgEditor.m_pNumbers = &m_verses.m_arrNumbers;
    dlgEditor.m_pContents = &m_verses.m_arrContents;
    dlgEditor.m_nVerseCount = m_verses.m_nVerseCount;
    dlgEditor.m_nCurrent = m_verses.m_nCurrent;
    dlgEditor.m_encoding = m_verseFile.encoding();
    dlgEditor.DoModal();
    m_verses.m_nVerseCount = dlgEditor.m_nVerseCount;
    m_verses.m_nCurrent = dlgEditor.m_nCurrent;
    SaveVerseFile();
    ShowCurrentVerse();
}

void CLumeraDlg::RunAboutBox()
{
    CAboutDlg dlgAbout;
    dlgAbout.DoModal();
}

void CLumeraDlg::paintEvent(QPaintEvent *event)
{
    if (!isMinimized()) {
        CDialog::paintEvent(event);
        return;
    }
    QPainter painter(this);
    const QSize iconSize(32, 32);
    painter.drawPixmap(CenteredIconPosition(rect().size(), iconSize), m_hIcon.pixmap(iconSize));
}
