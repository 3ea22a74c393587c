#include "platform/MessageBox.h"

#include "platform/CWinApp.h"
#include "platform/QuitRequest.h"

#include <QApplication>
#include <QList>
#include <QMessageBox>
#include <QPushButton>

#include <utility>

namespace {

QMessageBox::Icon IconOf(unsigned type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONSTOP: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

// The buttons of each box type, the first the default, with their results.
// Escape answers the last (OK alone for a plain box).
QList<std::pair<QMessageBox::StandardButton, int>> ButtonsOf(unsigned type)
{
    switch (type & MB_TYPEMASK) {
    case MB_YESNO: return {{QMessageBox::Yes, IDYES}, {QMessageBox::No, IDNO}};
    case MB_RETRYCANCEL: return {{QMessageBox::Retry, IDRETRY}, {QMessageBox::Cancel, IDCANCEL}};
    default: return {{QMessageBox::Ok, IDOK}};
    }
}

QWidget *ActiveOwner()
{
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget *active = QApplication::activeWindow())
        return active;
    CWinApp *app = CWinApp::AfxGetApp();
    QWidget *main = app ? app->m_pMainWnd : nullptr;
    return main && main->isVisible() ? main : nullptr;
}

} // namespace

MessageBoxSeam::Handler &MessageBoxSeam::CurrentHandler()
{
    static Handler handler = &MessageBoxSeam::ShowModal;
    return handler;
}

void MessageBoxSeam::SetHandler(Handler handler)
{
    CurrentHandler() = handler ? std::move(handler) : Handler(&MessageBoxSeam::ShowModal);
}

void MessageBoxSeam::Reset()
{
    CurrentHandler() = &MessageBoxSeam::ShowModal;
}

// Ended from outside, no one is there to answer: each box takes its safe
// answer (No, Cancel), the one Escape gives.
int MessageBoxSeam::Show(const MessageBoxRequest &request)
{
    if (QuitRequest::FromOutside())
        return ButtonsOf(request.type).last().second;
    return CurrentHandler()(request);
}

int MessageBoxSeam::ShowModal(const MessageBoxRequest &request)
{
    QMessageBox box(IconOf(request.type), request.caption, request.text, QMessageBox::NoButton, request.owner);
    box.setTextFormat(Qt::PlainText);
    const auto buttons = ButtonsOf(request.type);
    for (const auto &[button, result] : buttons)
        box.addButton(button);
    box.setDefaultButton(buttons.first().first);
    box.setEscapeButton(buttons.last().first);
    box.exec();
    for (const auto &[button, result] : buttons) {
        if (box.clickedButton() == box.button(button))
            return result;
    }
    return buttons.last().second;
}

int AfxMessageBox(const QString &text, unsigned type)
{
    return MessageBoxSeam::Show({text, QCoreApplication::applicationName(), type, ActiveOwner()});
}

int MessageBox(QWidget *owner, const QString &text, const QString &caption, unsigned type)
{
    return MessageBoxSeam::Show({text, caption, type, owner});
}
