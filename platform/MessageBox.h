#pragma once

#include "platform/WinTypes.h"

#include <QString>

#include <functional>

class QWidget;

// One message box to show: its owner window (or none), caption, text and
// type (MB_OK, MB_YESNO or MB_RETRYCANCEL, with an MB_ICON... value).
struct MessageBoxRequest
{
    QString text;
    QString caption;
    unsigned type = MB_OK;
    QWidget *owner = nullptr;
};

// Where every message box goes. By default a modal QMessageBox is shown;
// tests install a handler that records the request and returns an answer.
class MessageBoxSeam
{
public:
    using Handler = std::function<int(const MessageBoxRequest &)>;

    static void SetHandler(Handler handler);
    static void Reset();
    static int Show(const MessageBoxRequest &request);

    // The default: a QMessageBox run modally. Returns IDOK, IDYES, IDNO,
    // IDRETRY or IDCANCEL.
    static int ShowModal(const MessageBoxRequest &request);

private:
    static Handler &CurrentHandler();
};

// A box captioned with the application's name, owned by the active window.
int AfxMessageBox(const QString &text, unsigned type = MB_OK);
// A box owned by the given window, with the given caption.
int MessageBox(QWidget *owner, const QString &text, const QString &caption, unsigned type = MB_OK);
