#include "ui/main/CLumeraDlg.h"

#include "app/CLumeraApp.h"
#include "data/ErrorMessages.h"
#include "data/VersePrefetch.h"
#include "platform/CBitmapButton.h"
#include "platform/CDataExchange.h"
#include "platform/LogFont.h"
#include "platform/MessageBox.h"
#include "platform/QuitRequest.h"
#include "platform/Resources.h"
#include "res/DialogTemplates.h"
#include "res/Resource.h"
#include "res/Strings.h"
#include "ui/about/CAboutDlg.h"
#include "ui/editor/CVerseEditDlg.h"
#include "ui/main/DisplayText.h"
#include "ui/main/EditionInfo.h"
#include "ui/main/FontDescription.h"
#include "ui/main/IconPosition.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QWindow>

#include <cstdlib>

CLumeraDlg::CLumeraDlg(QWidget *pParent)
    : CDialog(LoadDialogTemplate(IDD_LUMERA_DIALOG), pParent)
    , m_bCzech(theApp.m_bCzech)
    , m_hIcon(LoadIconResource(QStringLiteral("IDR_MAINFRAME")))
    , m_verseFile(QString())
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
    BuildFonts();
    LoadLogo();
    PickRandomVerse();
    return true;
}

void CLumeraDlg::LoadSettings()
{
    m_settings.Load(QString::fromLatin1(Settings::kFileName), m_bCzech, *this);
}

void CLumeraDlg::LoadVerseFile()
{
    m_verseFile = VerseFile(m_settings.VerseFilePath());
    if (auto prefetched = VersePrefetch::Take(m_verseFile.path())) {
        m_verses = std::move(prefetched->list);
        m_verseFile = std::move(prefetched->file);
        return;
    }
    m_verseFile.Load(m_verses, m_bCzech, *this);
}

// A file changed on disk since it was read is replaced only when the user
// says so; otherwise it is left alone and the edits stay here, for the next
// save to ask again. A failed save keeps the edits while the user retries;
// giving up ends the program as a file error does.
void CLumeraDlg::SaveVerseFile()
{
    bool replaceChanged = false;
    for (;;) {
        const SaveResult result = m_verseFile.Save(m_verses, replaceChanged);
        if (result.status == SaveResult::Status::Saved)
            return;
        if (result.status == SaveResult::Status::ChangedOnDisk) {
            if (AfxMessageBox(ErrorMessages::VerseFileChanged(m_bCzech, m_verseFile.path()), MB_YESNO | MB_ICONQUESTION)
                != IDYES)
                return;
            replaceChanged = true;
            continue;
        }
        if (AfxMessageBox(ErrorMessages::CantSaveVerseFile(m_bCzech, m_verseFile.path(), result.error),
                          MB_RETRYCANCEL | MB_ICONSTOP)
            != IDRETRY) {
            PostQuitMessage(0);
            return;
        }
    }
}

void CLumeraDlg::ReportFileError(const QString &message)
{
    AfxMessageBox(message, MB_OK | MB_ICONSTOP);
    PostQuitMessage(0);
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

void CLumeraDlg::PickRandomVerse()
{
    std::srand(unsigned(m_clock()));
    m_verses.m_nCurrent = m_verses.m_nVerseCount == 0 ? -1 : std::rand() % m_verses.m_nVerseCount;
    ShowCurrentVerse();
}

void CLumeraDlg::ShowCurrentVerse()
{
    const int i = m_verses.m_nCurrent;
    const TextEncoding encoding = m_verseFile.encoding();
    const bool valid = i >= 0 && i < m_verses.m_nVerseCount;
    m_strTitle = valid ? ForDisplay(encoding.Decode(m_verses.m_arrTitles[i])) : QString();
    m_strNumber = valid ? ForDisplay(encoding.Decode(m_verses.m_arrNumbers[i])) : QString();
    m_strContents = valid ? ForDisplay(encoding.Decode(m_verses.m_arrContents[i])) : QString();
    UpdateData(false);
}

void CLumeraDlg::ShowEditionInfo()
{
    MessageBox(this, EditionInfoText(), EditionInfoCaption(m_bCzech), MB_OK | MB_ICONINFORMATION);
}

void CLumeraDlg::BuildSystemMenu()
{
    m_pSysMenu = new QMenu(this);
    const auto add = [this](const QString &text, unsigned id) {
        connect(m_pSysMenu->addAction(text), &QAction::triggered, this, [this, id] { OnSysCommand(id); });
    };
    add(tr("&Move"), SC_MOVE);
    add(tr("&Close\tAlt+F4"), SC_CLOSE);
    m_pSysMenu->addSeparator();
    add(LoadResString(IDS_VERSE_EDITOR), IDM_VERSE_EDITOR);
    m_pSysMenu->addSeparator();
    add(LoadResString(IDS_ABOUTBOX), IDM_ABOUTBOX);

    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
}

void CLumeraDlg::ShowSystemMenu(const QPoint &globalPos)
{
    m_pSysMenu->popup(globalPos);
}

bool CLumeraDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::ContextMenu && watched->isWidgetType() && m_pSysMenu
        && !m_pSysMenu->isAncestorOf(static_cast<QWidget *>(watched))) {
        auto *menuEvent = static_cast<QContextMenuEvent *>(event);
        QPoint pos = menuEvent->globalPos();
        if (menuEvent->reason() != QContextMenuEvent::Mouse)
            pos = mapToGlobal(QPoint(0, 0));
        ShowSystemMenu(pos);
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool menuKey = key->key() == Qt::Key_Menu && key->modifiers() == Qt::NoModifier;
        if (menuKey || (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier)) {
            ShowSystemMenu(mapToGlobal(QPoint(0, 0)));
            return true;
        }
    }
    return CDialog::eventFilter(watched, event);
}

void CLumeraDlg::OnSysCommand(unsigned nID)
{
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        RunAboutBox();
    } else if (nID == IDM_VERSE_EDITOR) {
        RunVerseEditor();
    } else if (nID == SC_CLOSE) {
        OnCancel();
    } else if (nID == SC_MOVE) {
        if (QWindow *window = windowHandle())
            window->startSystemMove();
    }
}

// The editor works on the verse arrays in place and on copies of the count
// and the index; afterwards the file is rewritten, changed or not, and the
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
