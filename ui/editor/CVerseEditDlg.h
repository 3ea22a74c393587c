#pragma once

#include "data/TextEncoding.h"
#include "platform/CDialog.h"
#include "ui/editor/VerseInput.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <array>
#include <memory>
#include <utility>

class CBitmapButton;
class FindBox;
class VerseSearch;
class CToolTipCtrl;

// The verse editor: browses, edits, adds and deletes the verses of the main
// dialog's verse list in place. Every edit of a field is stored at once, so
// every way of closing keeps all changes; the caller then takes back the
// count and the index and writes the verse file.
class CVerseEditDlg : public CDialog
{
    Q_OBJECT

public:
    explicit CVerseEditDlg(QWidget *pParent = nullptr);
    ~CVerseEditDlg() override;

    // The counter, and for a valid nIndex the verse at nIndex in the fields.
    void ShowVerse(int nIndex);
    // Stores the three fields at m_nCurrent, if the file can hold them.
    void StoreCurrent();

    void OnFirst();
    void OnPrev();
    void OnNext();
    void OnLast();
    void OnNew();
    void OnDelete();
    // Ctrl+F: the find box; F3 and Shift+F3: the next or previous verse
    // holding its words.
    void OpenFindBox();
    void FindVerse(bool forward);

    int m_bCzech;
    // The caller's verse arrays (not owned), count and index; the caller
    // reads the count and the index back after the run.
    QList<QByteArray> *m_pTitles = nullptr;
    QList<QByteArray> *m_pNumbers = nullptr;
    QList<QByteArray> *m_pContents = nullptr;
    int m_nVerseCount = 0;
    int m_nCurrent = -1;
    // The verse file's encoding: typed text is stored in it.
    TextEncoding m_encoding;
    CBitmapButton *m_btnFirst = nullptr;
    CBitmapButton *m_btnPrev = nullptr;
    CBitmapButton *m_btnNext = nullptr;
    CBitmapButton *m_btnLast = nullptr;
    CBitmapButton *m_btnNew = nullptr;
    CBitmapButton *m_btnDelete = nullptr;
    // Owned; made by OnInitDialog, deleted by the destructor.
    CToolTipCtrl *m_pToolTip = nullptr;
    QString m_strTitle;
    QString m_strNumber;
    QString m_strContents;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange *pDX) override;
    void PostNcDestroy() override;

private:
    std::array<std::pair<int, CBitmapButton *>, 6> Buttons() const;
    void CreateToolTips();
    void PlaceCounter();
    bool HasVerse() const;
    void MoveTo(int index);
    VerseFields StoredVerse(int index) const;
    static VerseFields Shown(const VerseFields &stored);
    void RefuseInput();
    void PutBackFields(const VerseFields &fields);
    void CreateFindCommands();
    // The verses changed: the next search reads them again.
    void ForgetSearch();

    // Set while the editor itself rewrites fields: those changes are no edits.
    bool m_puttingBack = false;
    // Which fields (title, reference, text) show their verse's text cut.
    std::array<bool, 3> m_cutShort{};
    FindBox *m_findBox = nullptr;
    std::unique_ptr<VerseSearch> m_search;
};
