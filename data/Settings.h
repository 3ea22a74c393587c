#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class ErrorReporter;

// The seven values of the settings file, kept as the file's bytes. A line
// sets every key it contains (exact case, anywhere in the line) to what
// follows its first "=", or to the whole line when it has none.
struct Settings
{
    QByteArray m_strFile = "Lumera.niv";
    QByteArray m_strFont1 = "Times";
    QByteArray m_strFace1 = "ITALIC_BOLD";
    QByteArray m_strSize1 = "16";
    QByteArray m_strFont2 = "Helvetica";
    QByteArray m_strFace2 = "ITALIC";
    QByteArray m_strSize2 = "18";

    static constexpr const char *kFileName = "Lumera.ini";

    void ApplyLine(QByteArrayView line);
    static Settings Parse(QByteArrayView bytes);

    // Resets to the defaults, then reads the file at path. When it cannot be
    // read, reports the error and keeps the defaults.
    bool Load(const QString &path, bool czech, ErrorReporter &reporter);

    // The verse file name as a path: UTF-8 when valid, else Windows-1250.
    QString VerseFilePath() const;

    bool operator==(const Settings &other) const = default;
};
