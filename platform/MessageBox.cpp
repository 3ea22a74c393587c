#include "platform/MessageBox.h"

#include "platform/CWinApp.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

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

bool IsYesNo(unsigned type)
{
    return (type & MB_TYPEMASK) == MB_YESNO;
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

int MessageBoxSeam::Show(const MessageBoxRequest &request)
{
    return CurrentHandler()(request);
}

int MessageBoxSeam::ShowModal(const MessageBoxRequest &request)
{
    QMessageBox box(IconOf(request.type), request.caption, request.text, QMessageBox::NoButton,
                    request.owner);
    box.setTextFormat(Qt::PlainText);
    if (!IsYesNo(request.type)) {
        box.setStandardButtons(QMessageBox::Ok);
        box.setDefaultButton(QMessageBox::Ok);
        box.exec();
        return IDOK;
    }
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setDefaultButton(QMessageBox::Yes);
    box.exec();
    return box.clickedButton() == box.button(QMessageBox::Yes) ? IDYES : IDNO;
}

int AfxMessageBox(const QString &text, unsigned type)
{
    return MessageBoxSeam::Show({text, QCoreApplication::applicationName(), type, ActiveOwner()});
}

int MessageBox(QWidget *owner, const QString &text, const QString &caption, unsigned type)
{
    return MessageBoxSeam::Show({text, caption, type, owner});
}
