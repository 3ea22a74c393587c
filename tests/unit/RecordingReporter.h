#pragma once

#include "data/ErrorReporter.h"

#include <QStringList>

// Stands in for the error box and quit request: keeps what would be shown.
class RecordingReporter : public ErrorReporter
{
public:
    void ReportFileError(const QString &message) override { messages.append(message); }
    QStringList messages;
};
