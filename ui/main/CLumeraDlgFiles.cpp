// The window's files: the settings and the verse file read at start, the
// edits written back, and what closing the window does with edits not yet
// in the file.
#include "data/VersePrefetch.h"
#include "platform/MessageBox.h"
#include "platform/QuitRequest.h"
#include "ui/main/CLumeraDlg.h"

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
    } else {
        m_verseFile.Load(m_verses, m_bCzech, *this);
    }
    m_saver.MarkSaved();
}

void CLumeraDlg::SaveVerseFile()
{
    m_saver.Save();
}

void CLumeraDlg::KeepUnsavedEdits()
{
    m_saver.KeepUnsaved(false);
}

void CLumeraDlg::OnOK()
{
    m_saver.BeforeClose();
    CDialog::OnOK();
}

void CLumeraDlg::OnCancel()
{
    m_saver.BeforeClose();
    CDialog::OnCancel();
}

// The modal run ended some other way (the quit request): whatever is not in
// the file is kept aside.
void CLumeraDlg::PostNcDestroy()
{
    m_saver.KeepUnsaved(!QuitRequest::FromOutside());
    CDialog::PostNcDestroy();
}

void CLumeraDlg::ReportFileError(const QString &message)
{
    AfxMessageBox(message, MB_OK | MB_ICONSTOP);
    PostQuitMessage(0);
}
