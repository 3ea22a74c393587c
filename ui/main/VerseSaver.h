#pragma once

#include "data/VerseFile.h"
#include "data/VerseList.h"

// The conversation around writing the verse list back to its file: the
// questions before replacing a file changed on disk (or gone) or one holding
// lines the list cannot give back, Retry or Cancel after a failed save, the
// question before the window closes with edits not in the file, and a
// recovery copy wherever the edits cannot go into the file. It knows what
// the file holds (the list as last loaded or saved), so a run of the editor
// that changed nothing writes nothing.
//
// Ended from outside (QuitRequest::FromOutside), every question takes its
// safe answer, a file changed on disk is never replaced, and edits that are
// not written go to a recovery copy that the next start tells of.
class VerseSaver
{
public:
    VerseSaver(VerseFile &file, const VerseList &verses, const int &czech);

    // Tells, once, what the load mended of a save cut off, and where edits
    // were kept when the program was last ended from outside.
    void TellNotices();
    // The list now is what the file holds.
    void MarkSaved();
    bool HasUnsavedEdits() const;

    // Writes the edits, if there are any, asking where the file calls for
    // it. A failed save the user gives up ends the program (the quit
    // request), the edits kept in a recovery copy; when not even the copy
    // can be written, the program goes on, the edits still here.
    void Save();
    // Before the window closes: edits not in the file are saved on Yes (a
    // file changed on disk is asked about again), dropped on No.
    void BeforeClose();
    // Keeps edits not in the file in a recovery copy, and says where: now,
    // or at the next start when no one can be told now. False when there
    // were edits and no copy could be written.
    bool KeepUnsaved(bool canTellNow);

private:
    void Write(bool replaceChanged);
    bool Ask(const QString &question) const;

    VerseFile &m_file;
    const VerseList &m_verses;
    const int &m_czech;
    VerseList m_saved;
    bool m_dropAccepted = false;
};
