#pragma once

class QString;

// Where the data layer sends a file error. The program shows it in an error
// box captioned with its name and then posts a quit request; tests record it.
class ErrorReporter
{
public:
    virtual ~ErrorReporter();
    virtual void ReportFileError(const QString &message) = 0;
};
