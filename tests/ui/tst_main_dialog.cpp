#include "DialogTestSupport.h"
#include "app/CLumeraApp.h"
#include "data/PosixIo.h"
#include "data/RecoveryCopy.h"
#include "data/StateFolder.h"
#include "platform/DialogUnits.h"
#include "platform/EndRequests.h"
#include "platform/QuitRequest.h"
#include "res/Resource.h"
#include "ui/main/CLumeraDlg.h"
#include "ui/main/FontDescription.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSet>

#include <csignal>
#include <random>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const QByteArray kThreeVerses = "One\r\nRef 1\r\nFirst text.\r\n#\r\n"
                                "Two\r\nRef 2\r\nSecond text.\r\n#\r\n"
                                "Three\r\nRef 3\r\nThird text.\r\n#\r\n$$$\r\n";
const QByteArray kTyped = QByteArray(kThreeVerses).replace("Three\r", "ThreeřЖ\r");

// An editor run from the main window, and what the save then asks and writes.
struct Save
{
    QByteArray file; // "-> name": a link to name, which holds kThreeVerses
    int button; // pressed in the editor, then "řЖ" typed in the title; 0: closed at once
    QString disk; // what becomes of the file meanwhile: "folder", "changed", "gone"; "full": every write fails
    QList<int> answers; // to the boxes in turn; Cancel to any more
    bool exit; // the main window is then closed with Exit
    QStringList boxes; // how the texts of the boxes shown begin
    QString shown; // the title shown after the editor
    QByteArray saved; // the file afterwards, read through a link
    bool copy; // the edits went to a recovery copy
};

// Each recovery copy in the folder, with what it holds.
QMap<QString, QByteArray> Copies(const WorkFolder &work)
{
    QMap<QString, QByteArray> copies;
    for (const QString &name : QDir(work.Path(".")).entryList({"*-recovered-*"}))
        copies.insert(name, work.Read(name));
    return copies;
}

// Removes the file at the end of the link at name, or the file itself.
void RemoveFile(const WorkFolder &work, const QString &name)
{
    const QFileInfo info(work.Path(name));
    QVERIFY(QFile::remove(info.isSymLink() ? info.symLinkTarget() : info.filePath()));
}

void TypeInTitle(CDialog &editor, const QString &text)
{
    QTest::keyClick(editor.GetDlgItem(IDC_TITLE), Qt::Key_End);
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, editor.GetDlgItem(IDC_TITLE), Qt::Key_unknown, c, Qt::NoModifier);
}

} // namespace

Q_DECLARE_METATYPE(Save)

// The main window, run on verse files of its own in a temporary folder.
class TestMainDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_state.isValid());
        StateFolder::UsePath(QFile::encodeName(m_state.filePath("Lumera")));
    }
    void cleanup() { VerifyNoWindowLeftOpen(); }
    // The settings' face, style and size give the height, weight, slant and face.
    void fontDescription_data()
    {
        QTest::addColumn<QByteArray>("face");
        QTest::addColumn<QByteArray>("style");
        QTest::addColumn<QByteArray>("size");
        QTest::addColumn<QString>("font");
        const auto row = [](const char *name, const QByteArray &face, const char *style, const char *size,
                            const QString &font) {
            QTest::newRow(name) << face << QByteArray(style) << QByteArray(size) << font;
        };
        row("both styles", "Times", "ITALIC_BOLD", "16", "16 700 italic Times");
        row("lower-case words, character height", "Arial", "bold italic", "-12", "-12 400 Arial");
        row("no number", "Arial", "BOLD", "abc", "0 700 Arial");
        row("huge size held", "Arial", "", "-99999999999", QString::number(-kMaxFontHeight) + " 400 Arial");
        row("long face cut before a character", QByteArray(30, 'F') + "Ž", "", "10", "10 400 " + QString(30, 'F'));
        row("Windows-1250 face name", "\216alm", "", "10", "10 400 Žalm");
    }
    void fontDescription()
    {
        QFETCH(QByteArray, face);
        QFETCH(QByteArray, style);
        QFETCH(QByteArray, size);
        QFETCH(QString, font);
        const LogFont lf = MakeLogFont(face, style, size);
        const QString made = QString::number(lf.lfHeight) + ' ' + QString::number(lf.lfWeight)
                             + (lf.lfItalic ? " italic " : " ") + QString::fromUtf8(lf.lfFaceName);
        QCOMPARE(made, font);
    }

    void start_showsPickedVerseInFields_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("first"); // shown at start, the generator giving its largest number
        QTest::addColumn<int>("next"); // shown by "Another", any verse but the first
        QTest::newRow("200 verses") << 200 << 199 << 198;
        QTest::newRow("empty list") << 0 << -1 << -1;
    }
    void start_showsPickedVerseInFields()
    {
        QFETCH(int, count);
        QFETCH(int, first);
        QFETCH(int, next);
        WorkFolder folder;
        folder.Write("Lumera.ini", "FILE=verses.niv\r\nFONT1=DejaVu Sans\r\nFACE1=BOLD\r\nSIZE1=-20\r\n"
                                   "FONT2=DejaVu Serif\r\nFACE2=ITALIC\r\nSIZE2=16\r\n");
        QByteArray file;
        for (int i = 0; i < count; ++i)
            file += "T" + QByteArray::number(i) + "\r\nR" + QByteArray::number(i) + "\r\nText\r\nline.\r\n#\r\n";
        folder.Write("verses.niv", file + "$$$\r\n");
        MessageBoxScript boxes;
        CLumeraDlg dlg;
        dlg.m_random = [](int bound) { return bound - 1; };
        RunModal(dlg, [&] {
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
            QCOMPARE(QApplication::focusWidget(), dlg.GetDlgItem(IDOK)); // Exit
            QCOMPARE(dlg.m_verses.m_nCurrent, first);
            QTest::mouseClick(dlg.GetDlgItem(IDC_ANOTHER), Qt::LeftButton);
            QCOMPARE(dlg.m_verses.m_nCurrent, next);
            // Ctrl+Enter puts no line break in the read-only text.
            QTest::keyClick(dlg.GetDlgItem(IDC_CONTENTS), Qt::Key_Return, Qt::ControlModifier);
            QCOMPARE(dlg.GetDlgItemText(IDC_TITLE), next < 0 ? QString() : "T" + QString::number(next));
            QCOMPARE(dlg.GetDlgItemText(IDC_NUMBER), next < 0 ? QString() : "R" + QString::number(next));
            QCOMPARE(dlg.GetDlgItemText(IDC_CONTENTS), next < 0 ? QString() : QStringLiteral("Text line. "));
            for (int id : {IDC_TITLE, IDC_NUMBER, IDC_CONTENTS}) // read-only, showing the start of the text
                QVERIFY(dlg.GetDlgItem(id)->property("readOnly").toBool());
            QCOMPARE(qobject_cast<QLineEdit *>(dlg.GetDlgItem(IDC_TITLE))->cursorPosition(), 0);
            const QFont title = dlg.GetDlgItem(IDC_TITLE)->font();
            QCOMPARE(title.family(), QStringLiteral("DejaVu Sans"));
            QVERIFY(title.bold() && !title.italic() && title.pixelSize() == 20);
            QCOMPARE(dlg.GetDlgItem(IDC_NUMBER)->font(), title);
            const QFont contents = dlg.GetDlgItem(IDC_CONTENTS)->font();
            QVERIFY(contents.italic() && !contents.bold());
            QFont larger = contents; // the contents take the largest size whose line fits the cell of 16
            larger.setPixelSize(contents.pixelSize() + 1);
            QVERIFY(QFontMetrics(contents).height() <= 16 && QFontMetrics(larger).height() > 16);
            QTest::mouseClick(dlg.GetDlgItem(IDC_LICPICT), Qt::LeftButton);
        });
        QCOMPARE(boxes.shown.size(), 1); // the edition box
        QCOMPARE(boxes.shown[0].caption, QStringLiteral("Edition"));
        QVERIFY(boxes.shown[0].text.contains(QStringLiteral("vychází")) && boxes.shown[0].owner);
    }

    // "Another", pressed again and again with a seeded generator, never shows the verse shown,
    // and in time shows every other one; a single verse stays.
    void another_neverRepeatsReachesEveryOther_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("one verse") << 1;
        QTest::newRow("two verses") << 2;
        QTest::newRow("seven verses") << 7;
    }
    void another_neverRepeatsReachesEveryOther()
    {
        QFETCH(int, count);
        WorkFolder folder;
        folder.Write("Lumera.ini", "FILE=verses.niv\r\n");
        folder.Write("verses.niv", QByteArray("T\r\nR\r\nA\r\n#\r\n").repeated(count) + "$$$\r\n");
        std::mt19937 generator(20261208);
        CLumeraDlg dlg;
        dlg.m_random = [&](int bound) { return std::uniform_int_distribution<int>(0, bound - 1)(generator); };
        RunModal(dlg, [&] {
            QSet<int> reached;
            for (int press = 0; press < 300; ++press) {
                const int shown = dlg.m_verses.m_nCurrent;
                QTest::mouseClick(dlg.GetDlgItem(IDC_ANOTHER), Qt::LeftButton);
                QVERIFY(count == 1 ? dlg.m_verses.m_nCurrent == 0 : dlg.m_verses.m_nCurrent != shown);
                reached.insert(dlg.m_verses.m_nCurrent);
            }
            QCOMPARE(reached.size(), count);
        });
    }

    // The verse on the clipboard as plain text, from Ctrl+C or the window menu, in either
    // encoding; text selected in a field copies just itself.
    void copyVerse_textThenReference_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("copied");
        const QByteArray john = "Love\r\nJohn 3:16\r\nFor God so loved\r\nthe world.\r\n#\r\n$$$\r\n";
        QTest::newRow("Ctrl+C, UTF-8") << john << "key"
                                       << "For God so loved the world.\nJohn 3:16";
        QTest::newRow("window menu, Windows-1250")
            << QByteArray("L\xE1ska\r\nJan 3,16\r\nB\xF9h tak miloval\r\nsv\xECt.\r\n#\r\n$$$\r\n") << "menu"
            << "Bůh tak miloval svět.\nJan 3,16";
        QTest::newRow("Ctrl+C with a selection in a field") << john << "selection"
                                                            << "John 3:16";
    }
    void copyVerse_textThenReference()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, way);
        QFETCH(QString, copied);
        WorkFolder work;
        work.WriteVerseFile(file);
        QApplication::clipboard()->clear();
        CLumeraDlg dlg;
        RunModal(dlg, [&] {
            QVERIFY(QTest::qWaitForWindowActive(&dlg));
            QWidget *field = dlg.GetDlgItem(way == "selection" ? IDC_NUMBER : IDC_CONTENTS);
            field->setFocus();
            if (way == "selection")
                qobject_cast<QLineEdit *>(field)->selectAll();
            if (way == "menu")
                dlg.OnSysCommand(IDM_COPY_VERSE);
            else
                QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
        });
        QCOMPARE(QApplication::clipboard()->text(), copied);
    }

    // While the list is empty, the empty fields say so and how to add a verse (placeholders,
    // not field text), and "Copy verse" is greyed.
    void emptyList_fieldsSayWhy_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<bool>("czech");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("text");
        const QString english = "The file verses.niv holds no verses. To add one, choose \"Edit verses\" from the "
                                "window menu (right click), then the button that adds a verse.";
        QTest::newRow("empty file") << QByteArray() << false << "No verses" << english;
        QTest::newRow("no whole record, in Czech")
            << QByteArray("$$$\r\n") << true << "Žádné verše"
            << "Soubor verses.niv neobsahuje žádné verše. Verš přidáte tak, že v nabídce okna (pravé tlačítko "
               "myši) zvolíte „Edit verses“ a pak tlačítko pro přidání verše.";
        QTest::newRow("the only verse deleted in the editor")
            << QByteArray("T\r\nR\r\nA\r\n#\r\n$$$\r\n") << false << "No verses" << english;
        QTest::newRow("a verse with an empty title") << QByteArray("\r\nR\r\nA\r\n#\r\n$$$\r\n") << false << ""
                                                     << "";
    }
    void emptyList_fieldsSayWhy()
    {
        QFETCH(QByteArray, file);
        QFETCH(bool, czech);
        QFETCH(QString, title);
        QFETCH(QString, text);
        WorkFolder work;
        work.WriteVerseFile(file);
        MessageBoxScript boxes(IDYES);
        theApp.m_bCzech = czech;
        CLumeraDlg dlg;
        theApp.m_bCzech = 0;
        RunModal(dlg, [&] {
            if (file.startsWith("T")) { // delete it
                CheckNextDialog(
                    [](CDialog &editor) { QTest::mouseClick(editor.GetDlgItem(IDC_DELETE), Qt::LeftButton); });
                dlg.OnSysCommand(IDM_VERSE_EDITOR);
            }
            QCOMPARE(qobject_cast<QLineEdit *>(dlg.GetDlgItem(IDC_TITLE))->placeholderText(), title);
            QCOMPARE(qobject_cast<QPlainTextEdit *>(dlg.GetDlgItem(IDC_CONTENTS))->placeholderText(), text);
            QCOMPARE(dlg.GetDlgItemText(IDC_CONTENTS).isEmpty(), !title.isEmpty());
            QCOMPARE(dlg.WindowMenu()->actions().at(3)->text(), QStringLiteral("&Copy verse"));
            QCOMPARE(dlg.WindowMenu()->actions().at(3)->isEnabled(), title.isEmpty());
        });
    }

    // The verse text shows a scroll bar when, and only when, it does not fit; the field keeps
    // the template's place and size.
    void verseText_scrollBarOnlyWhenItDoesNotFit_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("size"); // of the text's font
        QTest::addColumn<bool>("scrollBar");
        const QByteArray prayer = QByteArray("Our Father in heaven, may your name be kept holy. ").repeated(7);
        QTest::newRow("a short verse, the template's fonts") << QByteArray("Jesus wept.") << 18 << false;
        QTest::newRow("a long verse, the template's fonts") << prayer << 18 << true;
        QTest::newRow("one word at the largest font") << QByteArray("Amen.") << kMaxFontHeight << true;
    }
    void verseText_scrollBarOnlyWhenItDoesNotFit()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, size);
        QFETCH(bool, scrollBar);
        WorkFolder work;
        work.Write("Lumera.ini", "FILE=verses.niv\r\nSIZE2=" + QByteArray::number(size) + "\r\n");
        work.Write("verses.niv", "T\r\nR\r\n" + text + "\r\n#\r\n$$$\r\n");
        CLumeraDlg dlg;
        RunModal(dlg, [&] {
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
            auto *field = qobject_cast<QPlainTextEdit *>(dlg.GetDlgItem(IDC_CONTENTS));
            QTRY_COMPARE(field->verticalScrollBar()->isVisible(), scrollBar);
            QCOMPARE(field->geometry(), MapDialogRect(QRect(10, 110, 205, 70), DialogBaseUnits(dlg.font())));
            if (text.size() > 100) { // the keyboard reaches the end of a long text
                QTest::keyClick(field, Qt::Key_End, Qt::ControlModifier);
                QCOMPARE(field->verticalScrollBar()->value(), field->verticalScrollBar()->maximum());
            }
        });
    }

    // "Edit verses": a button pressed and "řЖ" typed in the title, or the editor closed at once;
    // meanwhile the file may become a folder, be rewritten or be deleted. The main window writes
    // what changed, asking where the file calls for it, and shows the last verse.
    void editVerses_writesTheEdits_data()
    {
        QTest::addColumn<Save>("s");
        const QString cantSave = "Error: Can't open file verses.niv\n\nThe file specified in LUMERA.INI in "
                                 "FILES section doesn't exist in the current directory.\n\nIs a directory";
        const QString cantWrite = cantSave.first(cantSave.lastIndexOf('\n'));
        const QString changed = "The file verses.niv was changed on disk since it was read.\n\n"
                                "Replace it with your edits?";
        const QString gone = "The file verses.niv was deleted or moved since it was read.";
        const QString notSaved = "Your edits are not saved in the file verses.niv.";
        const QString noRoom = "Your edits could not be saved in the file verses.niv, nor kept in a copy beside it.\n\n"
                               "No space left on device";
        const QString drops = "The file verses.niv holds 1 line that Lumera cannot keep";
        const QByteArray cp1250 = "L\xE1ska\r\nJan 3,16\r\n\x8Eivot\r\n#\r\n$$$\r\n";
        const QByteArray lf = QByteArray(kThreeVerses).replace("\r\n", "\n");
        const QByteArray crOnly = "T1\rR1\rA1\r#\rT2\rR2\rA2\r#\r$$$\r";
        const QByteArray note = QByteArray(kThreeVerses).replace("First text.\r\n#", "First text.\r\n# a note");
        QTest::newRow("typed") << Save{lf, IDC_LAST, "", {}, false, {}, "ThreeřЖ", kTyped, false};
        QTest::newRow("delete the only verse") << Save{"Only\nRef\nText\n#\n$$$\n",
                                                       IDC_DELETE,
                                                       "",
                                                       {IDYES},
                                                       false,
                                                       {"Do you really want to delete the verse?"},
                                                       "",
                                                       "$$$\r\n",
                                                       false};
        QTest::newRow("Windows-1250 file")
            << Save{cp1250, IDC_LAST, "", {}, false, {}, "Láskař", QByteArray(cp1250).replace("ska", "ska\xF8"), false};
        QTest::newRow("closed at once: a file read as one line stays byte for byte")
            << Save{crOnly, 0, "", {}, true, {}, "", crOnly, false};
        QTest::newRow("words a save would drop: No leaves the file, and so does No at Exit")
            << Save{note, IDC_LAST, "", {IDNO, IDNO}, true, {drops, notSaved}, "ThreeřЖ", note, false};
        QTest::newRow("words a save would drop: Yes saves without them")
            << Save{note, IDC_LAST, "", {IDYES}, false, {drops}, "ThreeřЖ", kTyped, false};
        QTest::newRow("failed save, Retry: the file is gone, Yes writes it again") << Save{
            kThreeVerses, IDC_LAST, "folder", {IDRETRY, IDYES}, false, {cantSave, gone}, "ThreeřЖ", kTyped, false};
        QTest::newRow("changed on disk, No then Yes") << Save{
            kThreeVerses, IDC_LAST, "changed", {IDNO, IDYES}, false, {changed, changed}, "ThreeřЖ", kTyped, false};
        QTest::newRow("changed on disk, No, then Exit asks: Yes, and Yes to the changed file, saves over it")
            << Save{kThreeVerses, IDC_LAST, "changed", {IDNO, IDYES, IDYES}, true, {changed, notSaved, changed},
                    "ThreeřЖ",    kTyped,   false};
        QTest::newRow("disk full, Cancel, no room for a copy either: the window stays, the edits in it")
            << Save{kThreeVerses, IDC_LAST,     "full", {IDCANCEL, IDOK, IDNO}, true, {cantWrite, noRoom, notSaved},
                    "ThreeřЖ",    kThreeVerses, false};
        QTest::newRow("changed on disk, No, then Exit asks: No leaves it") << Save{
            kThreeVerses, IDC_LAST, "changed", {IDNO, IDNO}, true, {changed, notSaved}, "ThreeřЖ", "changed", false};
        QTest::newRow("deleted meanwhile: Yes writes it again")
            << Save{kThreeVerses, IDC_LAST, "gone", {IDYES}, false, {gone}, "ThreeřЖ", kTyped, false};
        QTest::newRow("a link's file deleted meanwhile: Yes writes through the link")
            << Save{"-> real.niv", IDC_LAST, "gone", {IDYES}, false, {gone}, "ThreeřЖ", kTyped, false};
        QTest::newRow("failed save, Cancel: the edits in a copy, said where, and the program ends") << Save{
            kThreeVerses, IDC_LAST,
            "folder",     {IDCANCEL},
            false,        {cantSave, "Your edits could not be saved in the file verses.niv.\n\nThey were kept in "},
            "ThreeřЖ",    "",
            true};
    }
    void editVerses_writesTheEdits()
    {
        QFETCH(Save, s);
        if (s.answers.contains(IDCANCEL)) // the quit request lasts the process
            RUN_IN_OWN_PROCESS();
        WorkFolder work;
        work.Write("Lumera.ini", "FILE=verses.niv\r\n");
        if (s.file.startsWith("-> ")) {
            work.Write("real.niv", kThreeVerses);
            QVERIFY(QFile::link(QString::fromLatin1(s.file.sliced(3)), work.Path("verses.niv")));
        } else {
            work.Write("verses.niv", s.file);
        }
        QList<MessageBoxRequest> boxes;
        MessageBoxSeam::SetHandler([&](const MessageBoxRequest &request) {
            boxes.append(request);
            if (s.disk == "folder")
                QDir(work.Path("verses.niv")).removeRecursively();
            return s.answers.value(boxes.size() - 1, IDCANCEL);
        });
        const auto reset = qScopeGuard([] { MessageBoxSeam::Reset(); });
        const auto edit = [&](CDialog &editor) {
            if (s.button == 0)
                return;
            QTest::mouseClick(editor.GetDlgItem(s.button), Qt::LeftButton);
            TypeInTitle(editor, QStringLiteral("řЖ"));
            if (s.disk == "gone")
                RemoveFile(work, "verses.niv");
            if (s.disk == "folder" || s.disk == "changed")
                QVERIFY(QFile::remove(work.Path("verses.niv")));
            if (s.disk == "folder")
                QVERIFY(QDir(work.Path(".")).mkdir("verses.niv"));
            if (s.disk == "changed")
                work.Write("verses.niv", "changed");
            if (s.disk == "full")
                PosixIo::FailAllWrites(ENOSPC);
        };
        const auto roomAgain = qScopeGuard([] { PosixIo::FailAllWrites(0); });
        CLumeraDlg dlg;
        RunModal(dlg, [&] {
            dlg.m_verses.m_nCurrent = 0; // not the verse the editor ends on
            CheckNextDialog(edit);
            dlg.OnSysCommand(IDM_VERSE_EDITOR);
            if (s.disk == "changed" && !s.exit) { // the next editor run asks again
                CheckNextDialog([](CDialog &) {});
                dlg.OnSysCommand(IDM_VERSE_EDITOR);
            }
            QCOMPARE(dlg.GetDlgItemText(IDC_TITLE), s.shown);
            if (s.exit)
                QTest::mouseClick(dlg.GetDlgItem(IDOK), Qt::LeftButton);
        });
        QCOMPARE(boxes.size(), s.boxes.size());
        for (qsizetype i = 0; i < boxes.size(); ++i)
            QVERIFY2(boxes[i].text.startsWith(s.boxes[i]), qPrintable(boxes[i].text));
        QCOMPARE(QuitRequest::Requested(), s.copy);
        QCOMPARE(work.Read("verses.niv"), s.saved);
        QCOMPARE(QFileInfo(work.Path("verses.niv")).isSymLink(), s.file.startsWith("-> "));
        const QMap<QString, QByteArray> copies = Copies(work);
        QCOMPARE(copies.values(), s.copy ? QByteArrayList{kTyped} : QByteArrayList());
        if (s.copy)
            QVERIFY(boxes.last().text.contains(copies.firstKey()));
    }

    // Ended from outside (SIGTERM, as at logout) with the editor open: the editor closes, the
    // edits are saved as on a close, but a file changed meanwhile is left alone and the edits
    // go to a copy that the next start tells of. Nothing is asked.
    void endedFromOutside_editsNotLost_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<bool>("editorOpen"); // or closed before, its edits not saved on No
        QTest::newRow("the edits saved") << false << true;
        QTest::newRow("file changed meanwhile: the edits in a copy for the next start") << true << true;
        QTest::newRow("after No to the changed file: the edits in a copy for the next start") << true << false;
    }
    void endedFromOutside_editsNotLost()
    {
        QFETCH(bool, changed);
        QFETCH(bool, editorOpen);
        RUN_IN_OWN_PROCESS();
        WorkFolder work;
        work.WriteVerseFile(kThreeVerses);
        MessageBoxScript boxes;
        EndRequests::Install();
        CLumeraDlg dlg;
        RunModal(dlg, [&] {
            QTimer::singleShot(0, [&] {
                auto *editor = qobject_cast<CDialog *>(QApplication::activeModalWidget());
                QVERIFY(editor && editor != &dlg);
                QTest::mouseClick(editor->GetDlgItem(IDC_LAST), Qt::LeftButton);
                TypeInTitle(*editor, QStringLiteral("řЖ"));
                if (changed)
                    work.Write("verses.niv", "changed");
                if (editorOpen)
                    ::raise(SIGTERM);
                else
                    editor->EndDialog(IDCANCEL); // the box about the changed file says No
            });
            dlg.OnSysCommand(IDM_VERSE_EDITOR);
            if (!editorOpen) {
                ::raise(SIGTERM);
                QTRY_VERIFY(QuitRequest::FromOutside());
            }
        });
        QVERIFY(QuitRequest::FromOutside());
        QCOMPARE(boxes.shown.size(), editorOpen ? 0 : 1);
        QCOMPARE(work.Read("verses.niv"), changed ? QByteArray("changed") : kTyped);
        const QMap<QString, QByteArray> copies = Copies(work);
        QCOMPARE(copies.values(), changed ? QByteArrayList{kTyped} : QByteArrayList());
        const QByteArrayList noted = RecoveryCopy::TakeNoted();
        QCOMPARE(noted.size(), copies.size());
        if (changed)
            QCOMPARE(QFileInfo(QFile::decodeName(noted[0])).fileName(), copies.firstKey());
    }

    // Ended from outside while a message box is open at start-up: the box closes and the
    // program ends, instead of waiting for someone to answer.
    void endedFromOutside_whileABoxIsOpenAtStart()
    {
        RUN_IN_OWN_PROCESS();
        WorkFolder work;
        work.WriteVerseFile(kThreeVerses);
        RecoveryCopy::NoteForNextStart("/saved/v-1.niv"); // told in a box at start
        EndRequests::Install();
        bool boxOpen = false;
        QTimer::singleShot(0, [&] {
            boxOpen = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()) != nullptr;
            ::raise(SIGTERM);
        });
        QTimer::singleShot(10000, [] { // should the signal not end it
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
        });
        QElapsedTimer timer;
        timer.start();
        CLumeraDlg dlg;
        dlg.DoModal();
        QVERIFY(boxOpen);
        QVERIFY(QuitRequest::FromOutside());
        QVERIFY2(timer.elapsed() < 5000, "the box waited for an answer");
    }

    // At start the window tells, once, of edits kept when the program was last ended, and of
    // a save cut off that the load has finished.
    void start_tellsWhatWasKeptOrMended_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("told");
        QTest::newRow("a copy kept when last ended")
            << "copy"
            << "Lumera was ended before it could save your edits. They were kept in:\n\n/saved/v-1.niv";
        QTest::newRow("a save cut off in place")
            << "cut"
            << "Saving the file verses.niv was cut off last time. The save has now been finished";
    }
    void start_tellsWhatWasKeptOrMended()
    {
        QFETCH(QString, before);
        QFETCH(QString, told);
        WorkFolder work;
        work.WriteVerseFile(kThreeVerses);
        if (before == "copy")
            RecoveryCopy::NoteForNextStart("/saved/v-1.niv");
        if (before == "cut") { // rewritten in place, as the file has a second link, and killed half-way
            QVERIFY(::link("verses.niv", "other.niv") == 0);
            const pid_t child = ::fork();
            if (child == 0) {
                // After the journal (a line of about 120 bytes, the name, both lists) and half the file.
                PosixIo::KillAfterBytes(120 + 10 + kThreeVerses.size() + kTyped.size() + kTyped.size() / 2);
                ::_exit(int(VerseFile("verses.niv").Save(VerseFile::Parse(kTyped)).status));
            }
            int status = 0;
            QVERIFY(::waitpid(child, &status, 0) == child && WIFSIGNALED(status));
        }
        MessageBoxScript boxes;
        CLumeraDlg dlg;
        RunModal(dlg, [] {});
        QCOMPARE(boxes.shown.size(), 1);
        QVERIFY2(boxes.shown[0].text.startsWith(told), qPrintable(boxes.shown[0].text));
        QCOMPARE(boxes.shown[0].type, MB_OK | MB_ICONINFORMATION);
        QCOMPARE(work.Read("other.niv"), before == "cut" ? kTyped : QByteArray());
    }

private:
    QTemporaryDir m_state;
};

QTEST_MAIN(TestMainDialog)
#include "tst_main_dialog.moc"
