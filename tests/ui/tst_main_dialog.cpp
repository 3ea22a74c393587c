#include "DialogTestSupport.h"
#include "app/CLumeraApp.h"
#include "platform/QuitRequest.h"
#include "res/Resource.h"
#include "ui/main/CLumeraDlg.h"
#include "ui/main/FontDescription.h"

#include <QLineEdit>

namespace {

const QByteArray kThreeVerses = "One\r\nRef 1\r\nFirst text.\r\n#\r\n"
                                "Two\r\nRef 2\r\nSecond text.\r\n#\r\n"
                                "Three\r\nRef 3\r\nThird text.\r\n#\r\n$$$\r\n";

// An editor run from the main window, and what the save then asks and writes.
struct Save
{
    QByteArray file;
    int button;
    QString disk; // what happens to the file meanwhile
    QList<int> answers;
    QString box, shown; // the last box's text, the title shown afterwards
    QByteArray saved;
};

} // namespace

Q_DECLARE_METATYPE(Save)

// The main window, run on verse files of its own in a temporary folder.
class TestMainDialog : public QObject
{
    Q_OBJECT

private slots:
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
        QTest::newRow("200 verses") << 200;
        QTest::newRow("empty list") << 0;
    }
    // The pick seeds with the clock: picks in the same second show the same verse.
    void start_showsPickedVerseInFields()
    {
        QFETCH(int, count);
        WorkFolder folder;
        folder.Write("Lumera.ini", "FILE=verses.niv\r\nFONT1=DejaVu Sans\r\nFACE1=BOLD\r\nSIZE1=-20\r\n"
                                   "FONT2=DejaVu Serif\r\nFACE2=ITALIC\r\nSIZE2=16\r\n");
        QByteArray file;
        for (int i = 0; i < count; ++i)
            file += "T" + QByteArray::number(i) + "\r\nR\r\nText\r\nline.\r\n#\r\n";
        folder.Write("verses.niv", file + "$$$\r\n");
        MessageBoxScript boxes;
        CLumeraDlg dlg;
        dlg.m_clock = [] { return std::time_t(1'700'000'123); };
        std::srand(1'700'000'123);
        const int picked = count ? std::rand() % count : -1;
        RunModal(dlg, [&] {
            QVERIFY(QTest::qWaitForWindowExposed(&dlg));
            QCOMPARE(QApplication::focusWidget(), dlg.GetDlgItem(IDOK)); // Exit
            QTest::mouseClick(dlg.GetDlgItem(IDC_ANOTHER), Qt::LeftButton);
            QCOMPARE(dlg.m_verses.m_nCurrent, picked);
            // Ctrl+Enter puts no line break in the read-only text.
            QTest::keyClick(dlg.GetDlgItem(IDC_CONTENTS), Qt::Key_Return, Qt::ControlModifier);
            QCOMPARE(dlg.GetDlgItemText(IDC_TITLE), picked < 0 ? QString() : "T" + QString::number(picked));
            QCOMPARE(dlg.GetDlgItemText(IDC_CONTENTS), picked < 0 ? QString() : QStringLiteral("Text line. "));
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

    // "Edit verses": Last (or Delete) and "řЖ" typed in the title; meanwhile the file may become a
    // folder (the save fails: Retry once it is gone, or Cancel) or be rewritten (the save asks: No
    // leaves it, the next save asks again). The main window rewrites the file, shows the last verse.
    void editVerses_rewritesTheFile_data()
    {
        QTest::addColumn<Save>("s");
        const QString cantSave = "Error: Can't open file verses.niv\n\nThe file specified in LUMERA.INI in "
                                 "FILES section doesn't exist in the current directory.\n\nIs a directory";
        const QString changed = "The file verses.niv was changed on disk since it was read.\n\n"
                                "Replace it with your edits?";
        const QByteArray typed = QByteArray(kThreeVerses).replace("Three\r", "ThreeřЖ\r");
        const QByteArray cp1250 = "L\xE1ska\r\nJan 3,16\r\n\x8Eivot\r\n#\r\n$$$\r\n";
        const QByteArray lf = QByteArray(kThreeVerses).replace("\r\n", "\n");
        QTest::newRow("typed") << Save{lf, IDC_LAST, "", {}, "", "ThreeřЖ", typed};
        const QString question = "Do you really want to delete the verse?";
        QTest::newRow("delete the only verse")
            << Save{"Only\nRef\nText\n#\n$$$\n", IDC_DELETE, "", {IDYES}, question, "", "$$$\r\n"};
        QTest::newRow("Windows-1250 file")
            << Save{cp1250, IDC_LAST, "", {}, "", "Láskař", QByteArray(cp1250).replace("ska", "ska\xF8")};
        QTest::newRow("failed save, Retry")
            << Save{kThreeVerses, IDC_LAST, "folder", {IDRETRY}, cantSave, "ThreeřЖ", typed};
        QTest::newRow("changed on disk, No then Yes")
            << Save{kThreeVerses, IDC_LAST, "changed", {IDNO, IDYES}, changed, "ThreeřЖ", typed};
        // Last: the quit request it posts ends every later dialog loop of this process.
        QTest::newRow("failed save, Cancel ends the program")
            << Save{kThreeVerses, IDC_LAST, "folder", {IDCANCEL}, cantSave, "ThreeřЖ", ""};
    }
    void editVerses_rewritesTheFile()
    {
        QFETCH(Save, s);
        WorkFolder work;
        work.Write("Lumera.ini", "FILE=verses.niv\r\n");
        work.Write("verses.niv", s.file);
        QList<MessageBoxRequest> boxes;
        MessageBoxSeam::SetHandler([&](const MessageBoxRequest &request) {
            boxes.append(request);
            if (s.disk == "folder")
                QDir(work.Path("verses.niv")).removeRecursively();
            return s.answers.value(boxes.size() - 1, IDCANCEL);
        });
        const auto reset = qScopeGuard([] { MessageBoxSeam::Reset(); });
        const auto edit = [&](CDialog &editor) {
            QTest::mouseClick(editor.GetDlgItem(s.button), Qt::LeftButton);
            QTest::keyClick(editor.GetDlgItem(IDC_TITLE), Qt::Key_End);
            for (QChar c : QStringLiteral("řЖ"))
                QTest::sendKeyEvent(QTest::Click, editor.GetDlgItem(IDC_TITLE), Qt::Key_unknown, c, Qt::NoModifier);
            if (s.disk.isEmpty())
                return;
            QVERIFY(QFile::remove(work.Path("verses.niv")));
            if (s.disk == "folder")
                QVERIFY(QDir(work.Path(".")).mkdir("verses.niv"));
            else
                work.Write("verses.niv", "changed");
        };
        CLumeraDlg dlg;
        RunModal(dlg, [&] {
            dlg.m_verses.m_nCurrent = 0; // not the verse the editor ends on
            CheckNextDialog(edit);
            dlg.OnSysCommand(IDM_VERSE_EDITOR);
            if (s.disk == "changed") {
                QCOMPARE(work.Read("verses.niv"), QByteArray("changed"));
                CheckNextDialog([](CDialog &) {});
                dlg.OnSysCommand(IDM_VERSE_EDITOR);
            }
            QCOMPARE(dlg.GetDlgItemText(IDC_TITLE), s.shown);
        });
        QCOMPARE(boxes.size(), s.answers.size());
        QCOMPARE(boxes.isEmpty() ? QString() : boxes.last().text, s.box);
        QCOMPARE(QuitRequested(), s.answers == QList<int>{IDCANCEL});
        QCOMPARE(work.Read("verses.niv"), s.saved);
    }
};

QTEST_MAIN(TestMainDialog)
#include "tst_main_dialog.moc"
