// The verse editor with the whole Bible loaded against a ten-verse list:
// 1,000 keystrokes into the text field and 1,000 moves each. Storing a
// keystroke and showing a verse cost one verse, never the list, so the
// Bible may take at most 1.5 times as long. Exits non-zero when missed.
#include "app/CLumeraApp.h"
#include "data/VerseFile.h"
#include "platform/WinTypes.h"
#include "res/Resource.h"
#include "ui/editor/CVerseEditDlg.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int kKeystrokes = 1000;
constexpr int kMoves = 1000;
constexpr int kRounds = 5;
constexpr double kLimit = 1.5;

struct Times
{
    double keys = 1e300;
    double moves = 1e300;
};

double Milliseconds(const QElapsedTimer &timer)
{
    return timer.nsecsElapsed() / 1e6;
}

// Typing and erasing one letter by turns keeps the verse at its length.
double TypeInText(CVerseEditDlg &dlg)
{
    QWidget *text = dlg.GetDlgItem(IDC_CONTENTS);
    QTest::keyClick(text, Qt::Key_End, Qt::ControlModifier);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kKeystrokes; ++i)
        QTest::keyClick(text, i % 2 ? Qt::Key_Backspace : Qt::Key_A);
    return Milliseconds(timer);
}

// Sweeps forth and back over the ten verses from the start.
double Move(CVerseEditDlg &dlg)
{
    QWidget *next = dlg.GetDlgItem(IDC_NEXT);
    QWidget *prev = dlg.GetDlgItem(IDC_PREV);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kMoves; ++i)
        QTest::mouseClick((i / 9) % 2 ? prev : next, Qt::LeftButton);
    return Milliseconds(timer);
}

void Measure(VerseList &list, int start, const TextEncoding &encoding, Times &best)
{
    CVerseEditDlg dlg;
    dlg.m_pTitles = &list.m_arrTitles;
    dlg.m_pNumbers = &list.m_arrNumbers;
    dlg.m_pContents = &list.m_arrContents;
    dlg.m_nVerseCount = list.m_nVerseCount;
    dlg.m_nCurrent = start;
    dlg.m_encoding = encoding;
    QTimer::singleShot(0, &dlg, [&] {
        best.keys = std::min(best.keys, TypeInText(dlg));
        best.moves = std::min(best.moves, Move(dlg));
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
}

VerseList TenFrom(const VerseList &all, int start)
{
    VerseList ten;
    for (int i = start; i < start + 10; ++i)
        ten.Append(all.m_arrTitles[i], all.m_arrNumbers[i], all.m_arrContents[i]);
    return ten;
}

bool Report(const char *what, double bible, double ten)
{
    const double ratio = bible / ten;
    std::printf("%-10s Bible %8.2f  ten verses %8.2f  ratio %5.2f  (limit %.1f) %s\n", what, bible, ten,
                ratio, kLimit, ratio <= kLimit ? "ok" : "MISSED");
    return ratio <= kLimit;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(LUMERA_BIBLE);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return 2;
    }
    const QByteArray bytes = file.readAll();
    const TextEncoding encoding = TextEncoding::Detect(bytes);
    VerseList bible = VerseFile::Parse(bytes);
    if (bible.m_nVerseCount < 20) {
        std::fprintf(stderr, "%s holds too few verses\n", qPrintable(path));
        return 2;
    }
    // The same ten verses are shown and edited in both lists.
    const int start = bible.m_nVerseCount / 2;
    VerseList ten = TenFrom(bible, start);

    Times withBible;
    Times withTen;
    for (int round = 0; round < kRounds; ++round) {
        Measure(bible, start, encoding, withBible);
        Measure(ten, 0, encoding, withTen);
    }
    std::printf("%d verses against 10; %d keystrokes, %d moves; ms, best of %d\n", bible.m_nVerseCount,
                kKeystrokes, kMoves, kRounds);
    bool ok = Report("keystrokes", withBible.keys, withTen.keys);
    ok = Report("moves", withBible.moves, withTen.moves) && ok;
    return ok ? 0 : 1;
}
