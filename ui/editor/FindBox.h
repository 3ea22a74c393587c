#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

// The editor's find box: a small window of its own, over the editor, with one
// field and "Find next" and "Find previous". Enter finds the next verse; F3
// and Shift+F3 find the next and the previous one; Escape closes the box
// alone. The finding itself is the editor's (Find).
class FindBox : public QDialog
{
    Q_OBJECT

public:
    explicit FindBox(QWidget *editor);

    QString Words() const;
    // Shows the box (again), its field ready for new words.
    void Present();
    // After a search: "Not found" when nothing was, else nothing.
    void ShowResult(bool found);

signals:
    void Find(bool forward);

private:
    void PlaceBesideEditor();

    QLineEdit *m_words;
    QLabel *m_result;
};
