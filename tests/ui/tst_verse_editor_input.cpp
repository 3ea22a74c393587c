// The editor's input rules and exact field reading, without running the editor.
#include "platform/DlgItemText.h"
#include "ui/editor/FieldText.h"
#include "ui/editor/VerseInput.h"

#include <QPlainTextEdit>
#include <QTest>

using Kind = TextEncoding::Kind;
Q_DECLARE_METATYPE(TextEncoding::Kind)

class TestVerseEditorInput : public QObject
{
    Q_OBJECT

private slots:
    void lineBreaksToSpaces_data();
    void lineBreaksToSpaces();
    void fileCanHold_data();
    void fileCanHold();
    void encodeForFile_data();
    void encodeForFile();
    void controlText_keepsNoBreakSpace();
};

void TestVerseEditorInput::lineBreaksToSpaces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("joined");
    QTest::newRow("no break") << "Psalm 23" << "Psalm 23";
    QTest::newRow("LF, CR LF as one, trailing") << "a\nb\r\nc\n" << "a b c ";
    QTest::newRow("lone CR is no line end in the file") << "a\rb" << "a\rb";
}

void TestVerseEditorInput::lineBreaksToSpaces()
{
    QFETCH(QString, text);
    QFETCH(QString, joined);
    QCOMPARE(LineBreaksToSpaces(text), joined);
}

void TestVerseEditorInput::fileCanHold_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("contents");
    QTest::addColumn<bool>("held");
    QTest::newRow("plain verse") << "Love" << "John 3:16" << "For God so loved." << true;
    QTest::newRow("empty verse") << "" << "" << "" << true;
    QTest::newRow("$$$ in title ends the file") << "Price $$$" << "R" << "T" << false;
    QTest::newRow("$$ in title") << "$$" << "R" << "T" << true;
    QTest::newRow("$$$ in reference") << "T" << "$$$" << "T" << true;
    QTest::newRow("$$$ in text") << "T" << "R" << "costs $$$" << true;
    QTest::newRow("# in title and reference") << "#1" << "Ps #23" << "T" << true;
    QTest::newRow("# in text ends the record") << "T" << "R" << "verse #2" << false;
    QTest::newRow("line break in title") << "a\nb" << "R" << "T" << false;
    QTest::newRow("line break in reference") << "T" << "a\r\nb" << "T" << false;
    QTest::newRow("line break in text") << "T" << "R" << "line\nline" << true;
    QTest::newRow("lone CR in title") << "a\rb" << "R" << "T" << true;
}

void TestVerseEditorInput::fileCanHold()
{
    QFETCH(QString, title);
    QFETCH(QString, number);
    QFETCH(QString, contents);
    QFETCH(bool, held);
    QCOMPARE(FileCanHold({title, number, contents}), held);
}

void TestVerseEditorInput::encodeForFile_data()
{
    QTest::addColumn<Kind>("kind");
    QTest::addColumn<QString>("contents");
    QTest::addColumn<bool>("stored");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("UTF-8 Czech") << Kind::Utf8 << QStringLiteral("žluť") << true << QByteArray("\xC5\xBE" "lu\xC5\xA5");
    QTest::newRow("Windows-1250 Czech") << Kind::Windows1250 << QStringLiteral("žluť") << true << QByteArray("\x9Elu\x9D");
    QTest::newRow("Windows-1250 lacks Cyrillic") << Kind::Windows1250 << QStringLiteral("Жизнь") << false << QByteArray();
    QTest::newRow("UTF-8 lone surrogate") << Kind::Utf8 << QString(QChar(0xD800)) << false << QByteArray();
    QTest::newRow("# refused before encoding") << Kind::Utf8 << "a#" << false << QByteArray();
}

void TestVerseEditorInput::encodeForFile()
{
    QFETCH(Kind, kind);
    QFETCH(QString, contents);
    QFETCH(bool, stored);
    QFETCH(QByteArray, bytes);
    const std::optional<VerseBytes> encoded = EncodeForFile({"T", "R", contents}, TextEncoding(kind));
    QCOMPARE(encoded.has_value(), stored);
    if (stored) {
        QCOMPARE(encoded->title, QByteArray("T"));
        QCOMPARE(encoded->number, QByteArray("R"));
        QCOMPARE(encoded->contents, bytes);
    }
}

void TestVerseEditorInput::controlText_keepsNoBreakSpace()
{
    const QString text = QStringLiteral("v\u00A0nebi\na\u00A0na zemi");
    QPlainTextEdit edit;
    edit.setPlainText(text);
    QCOMPARE(ControlText(&edit), text);
}

QTEST_MAIN(TestVerseEditorInput)
#include "tst_verse_editor_input.moc"
