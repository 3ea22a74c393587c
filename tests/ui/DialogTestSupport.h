#pragma once

#include "platform/CDialog.h"
#include "platform/MessageBox.h"
#include "platform/WinTypes.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QProcess>
#include <QScopeGuard>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

// A working folder made current for the test, and a message-box script that
// records every box and gives the one answer.
class WorkFolder
{
public:
    WorkFolder() { QDir::setCurrent(m_dir.path()); }
    ~WorkFolder() { QDir::setCurrent(QDir::tempPath()); }

    void Write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray Read(const QString &name) const
    {
        QFile file(m_dir.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QString Path(const QString &name) const { return m_dir.filePath(name); }
    // A settings file naming verses.niv, which holds verses.
    void WriteVerseFile(const QByteArray &verses) const
    {
        Write(QStringLiteral("Lumera.ini"), "FILE=verses.niv\r\n");
        Write(QStringLiteral("verses.niv"), verses);
    }

private:
    QTemporaryDir m_dir;
};

class MessageBoxScript
{
public:
    explicit MessageBoxScript(int answer = IDOK)
    {
        MessageBoxSeam::SetHandler([this, answer](const MessageBoxRequest &request) {
            shown.append(request);
            return answer;
        });
    }
    ~MessageBoxScript() { MessageBoxSeam::Reset(); }

    QList<MessageBoxRequest> shown;
};

// Checks made while a dialog runs modally. A failed QVERIFY or QCOMPARE
// returns from the check alone, so the dialog is ended after every check:
// the failure shows at once instead of as a dialog waiting for a timeout.
// Runs dlg modally with check called once its loop runs; ends it with result
// unless the check ended it. Returns what DoModal returned.
inline int RunModal(CDialog &dlg, const std::function<void()> &check, int result = IDOK)
{
    QTimer::singleShot(0, &dlg, [&dlg, &check, result] {
        check();
        if (dlg.isVisible())
            dlg.EndDialog(result);
    });
    return dlg.DoModal();
}

// For a dialog that the code under test opens: once the event loop runs
// again, calls check with the dialog then open, if any, and ends it with
// result unless the check ended it. The caller notes what check saw.
inline void CheckNextDialog(const std::function<void(CDialog &)> &check, int result = IDCANCEL)
{
    QTimer::singleShot(0, [check, result] {
        const QPointer<CDialog> dlg = qobject_cast<CDialog *>(QApplication::activeModalWidget());
        if (!dlg)
            return;
        check(*dlg);
        if (dlg && dlg->isVisible())
            dlg->EndDialog(result);
    });
}

// For a message box shown through the real box: once the event loop runs
// again, calls check with the box then open (a failure if none), then
// answers it with key.
inline void AnswerNextBox(Qt::Key key, const std::function<void(QMessageBox &)> &check)
{
    QTimer::singleShot(0, [key, check] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        QVERIFY2(box, "no message box open");
        check(*box);
        QTest::keyClick(box, key);
    });
}

// For a test row whose effects last the process (the quit request ends every
// later dialog loop): runs this test program again for the current row alone
// and checks that it passed there. Returns true in the process that did so,
// false in the process that is to run the row itself.
inline bool RowRanInOwnProcess(QString &failure)
{
    if (qEnvironmentVariableIsSet("LUMERA_TEST_OWN_PROCESS"))
        return false;
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LUMERA_TEST_OWN_PROCESS"), QStringLiteral("1"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromLatin1(QTest::currentTestFunction()) + ':' + QString::fromUtf8(QTest::currentDataTag())});
    const bool passed =
        child.waitForFinished(120000) && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    failure = passed ? QString() : QString::fromUtf8(child.readAll());
    return true;
}

#define RUN_IN_OWN_PROCESS() \
    do { \
        QString failure_; \
        if (RowRanInOwnProcess(failure_)) { \
            QVERIFY2(failure_.isEmpty(), qPrintable(failure_)); \
            return; \
        } \
    } while (false)

// For cleanup(): fails the test when it left a top-level window shown (named
// by class and title in the failure), and hides each, so the next test starts
// with none.
inline void VerifyNoWindowLeftOpen()
{
    QStringList open;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (!window->isVisible())
            continue;
        open << QLatin1String(window->metaObject()->className()) + " \"" + window->windowTitle() + '"';
        window->hide();
    }
    QVERIFY2(open.isEmpty(), qPrintable("left open: " + open.join(QStringLiteral(", "))));
}
