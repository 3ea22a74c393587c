#include "ui/main/VerseSaver.h"

#include "data/ErrorMessages.h"
#include "data/RecoveryCopy.h"
#include "data/SaveMessages.h"
#include "platform/MessageBox.h"
#include "platform/QuitRequest.h"

#include <QFile>

VerseSaver::VerseSaver(VerseFile &file, const VerseList &verses, const int &czech)
    : m_file(file)
    , m_verses(verses)
    , m_czech(czech)
{
}

void VerseSaver::TellNotices()
{
    const QString mended = SaveMessages::AfterCutOffSave(m_czech, m_file.path(), m_file.TakeNotice());
    if (!mended.isEmpty())
        AfxMessageBox(mended, MB_OK | MB_ICONINFORMATION);
    const QByteArrayList copies = RecoveryCopy::TakeNoted();
    if (!copies.isEmpty())
        AfxMessageBox(SaveMessages::KeptWhenEnded(m_czech, copies), MB_OK | MB_ICONINFORMATION);
}

void VerseSaver::MarkSaved()
{
    m_saved = m_verses;
}

// The index shown is no edit; the verses and their count are.
bool VerseSaver::HasUnsavedEdits() const
{
    return m_verses.m_nVerseCount != m_saved.m_nVerseCount || m_verses.m_arrTitles != m_saved.m_arrTitles
           || m_verses.m_arrNumbers != m_saved.m_arrNumbers || m_verses.m_arrContents != m_saved.m_arrContents;
}

bool VerseSaver::Ask(const QString &question) const
{
    return AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void VerseSaver::Save()
{
    if (!HasUnsavedEdits())
        return;
    const qsizetype dropped = m_file.DroppedLines();
    if (dropped > 0 && !m_dropAccepted) {
        if (!Ask(SaveMessages::DropsLines(m_czech, m_file.path(), dropped))) {
            if (QuitRequest::FromOutside())
                KeepUnsaved(false);
            return;
        }
        m_dropAccepted = true;
    }
    Write(false);
}

// A file changed on disk is replaced only when the user says so; otherwise it
// is left alone and the edits stay here, for the next save (or the close) to
// ask again. A failed save keeps the edits while the user retries.
void VerseSaver::Write(bool replaceChanged)
{
    for (;;) {
        const SaveResult result = m_file.Save(m_verses, replaceChanged);
        switch (result.status) {
        case SaveResult::Status::Saved: MarkSaved(); return;
        case SaveResult::Status::ChangedOnDisk:
            if (Ask(result.vanished ? SaveMessages::Vanished(m_czech, m_file.path())
                                    : SaveMessages::Changed(m_czech, m_file.path()))) {
                replaceChanged = true;
                continue;
            }
            if (QuitRequest::FromOutside())
                KeepUnsaved(false);
            return;
        case SaveResult::Status::Failed:
            if (AfxMessageBox(ErrorMessages::CantSaveVerseFile(m_czech, m_file.path(), result.error),
                              MB_RETRYCANCEL | MB_ICONSTOP)
                == IDRETRY)
                continue;
            // Without a copy the edits would be lost: the window stays.
            if (KeepUnsaved(!QuitRequest::FromOutside()))
                PostQuitMessage(0);
            return;
        }
    }
}

void VerseSaver::BeforeClose()
{
    if (!HasUnsavedEdits())
        return;
    if (QuitRequest::FromOutside()) {
        KeepUnsaved(false);
        return;
    }
    if (!Ask(SaveMessages::NotSaved(m_czech, m_file.path()))) {
        MarkSaved(); // the user let them go
        return;
    }
    m_dropAccepted = true;
    Write(false); // a file changed meanwhile is asked about again
}

bool VerseSaver::KeepUnsaved(bool canTellNow)
{
    if (!HasUnsavedEdits())
        return true;
    // While the editor runs, the arrays may hold verses it added that the
    // count does not know of yet.
    VerseList all = m_verses;
    all.m_nVerseCount = int(all.m_arrTitles.size());
    const RecoveryCopy::Written copy = RecoveryCopy::Write(QFile::encodeName(m_file.path()), VerseFile::Serialize(all));
    if (copy.error != 0) {
        if (canTellNow)
            AfxMessageBox(SaveMessages::NotKept(m_czech, m_file.path(), FileError::FromErrno(copy.error)),
                          MB_OK | MB_ICONSTOP);
        return false;
    }
    MarkSaved(); // safe in the copy: nothing more to keep
    if (canTellNow)
        AfxMessageBox(SaveMessages::KeptInCopy(m_czech, m_file.path(), QFile::decodeName(copy.path)),
                      MB_OK | MB_ICONINFORMATION);
    else
        RecoveryCopy::NoteForNextStart(copy.path);
    return true;
}
