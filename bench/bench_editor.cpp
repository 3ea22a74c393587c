// The verse editor with the whole Bible loaded against a ten-verse list:
// 1,000 keystrokes into the text field and 1,000 moves each. Storing a
// keystroke and showing a verse cost one verse, never the list, so the
// Bible may take at most 1.5 times as long. Then a verse whose title and
// text are 10 MB each: opening it and every keystroke in its reference stay
// far from a stall. Exits non-zero when missed.
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
constexpr qsizetype kHugeField = 10 * 1024 * 1024;
constexpr int kHugeKeystrokes = 50;
constexpr double kHugeOpenLimitMs = 1000;
constexpr double kHugeKeyLimitMs = 100;

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
    ten.m_fileBytes = all.m_fileBytes; // the elements refer into these bytes
    return ten;
}

bool Report(const char *what, double bible, double ten)
{
    const double ratio = bible / ten;
    std::printf("%-10s Bible %8.2f  ten verses %8.2f  ratio %5.2f  (limit %.1f) %s\n", what, bible, ten, ratio, kLimit,
                ratio <= kLimit ? "ok" : "MISSED");
    return ratio <= kLimit;
}

struct HugeTimes
{
    double opening = 0;
    double worstKeystroke = 0;
};

// One verse with a 10 MB title and a 10 MB text: opening the editor on it,
// then keystrokes into its reference, each timed alone.
HugeTimes MeasureHugeFields()
{
    VerseList list;
    list.Append(QByteArray(kHugeField, 'T'), "Ref", QByteArray(kHugeField, 'x'));
    list.m_nCurrent = 0;
    CVerseEditDlg dlg;
    dlg.m_pTitles = &list.m_arrTitles;
    dlg.m_pNumbers = &list.m_arrNumbers;
    dlg.m_pContents = &list.m_arrContents;
    dlg.m_nVerseCount = 1;
    dlg.m_nCurrent = 0;
    HugeTimes times;
    QElapsedTimer timer;
    timer.start();
    QTimer::singleShot(0, &dlg, [&] {
        times.opening = Milliseconds(timer);
        QWidget *number = dlg.GetDlgItem(IDC_NUMBER);
        for (int i = 0; i < kHugeKeystrokes; ++i) {
            timer.restart();
            QTest::keyClick(number, i % 2 ? Qt::Key_Backspace : Qt::Key_A);
            times.worstKeystroke = std::max(times.worstKeystroke, Milliseconds(timer));
        }
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
    return times;
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
    std::printf("%d verses against 10; %d keystrokes, %d moves; ms, best of %d\n", bible.m_nVerseCount, kKeystrokes,
                kMoves, kRounds);
    bool ok = Report("keystrokes", withBible.keys, withTen.keys);
    ok = Report("moves", withBible.moves, withTen.moves) && ok;

    const HugeTimes huge = MeasureHugeFields();
    const bool smooth = huge.opening <= kHugeOpenLimitMs && huge.worstKeystroke <= kHugeKeyLimitMs;
    std::printf("10 MB title and text: opening %.1f ms (limit %.0f), slowest of %d keystrokes %.2f ms "
                "(limit %.0f) %s\n",
                huge.opening, kHugeOpenLimitMs, kHugeKeystrokes, huge.worstKeystroke, kHugeKeyLimitMs,
                smooth ? "ok" : "MISSED");
    return ok && smooth ? 0 : 1;
}
