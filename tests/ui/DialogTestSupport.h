#pragma once

#include "platform/MessageBox.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QTemporaryDir>
#include <QTest>

// A working folder with a settings file and a verse file, made current for
// the test, and a message-box script that records every box and answers it.
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
            return answers.isEmpty() ? answer : answers.takeFirst();
        });
    }
    ~MessageBoxScript() { MessageBoxSeam::Reset(); }

    QList<MessageBoxRequest> shown;
    QList<int> answers;
};
