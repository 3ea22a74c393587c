#pragma once

#include "platform/ControlNotifier.h"
#include "platform/DialogBuilder.h"
#include "platform/DialogTemplate.h"

#include <QDialog>

#include <functional>

class CDataExchange;

// The base of the program's modal dialogs: a QDialog whose controls come from
// a dialog template, with data exchange between controls and members and with
// per-control notification handlers.
class CDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CDialog(const DialogTemplate &tmpl, QWidget *parent = nullptr);
    ~CDialog() override;

    // Builds the controls (first time only), runs OnInitDialog, then the modal
    // loop. Returns the code passed to EndDialog (IDOK, IDCANCEL), or 0 when
    // the loop was ended by the quit request.
    int DoModal();
    void EndDialog(int result);

    // Moves data between the controls and the members through DoDataExchange:
    // true reads the controls, false fills them. No control notification is
    // delivered while it runs.
    bool UpdateData(bool bSaveAndValidate = true);
    bool IsExchangingData() const { return m_exchangeDepth > 0; }

    QWidget *GetDlgItem(int id) const;
    QString GetDlgItemText(int id) const;
    void SetDlgItemText(int id, const QString &text);

    // Puts the given widget in the place of control id: its rectangle, tab
    // position, focus policy, id and text; the old control is deleted. The
    // dialog becomes the widget's parent. False when there is no control id.
    bool SubclassDlgItem(int id, QWidget *control);

    // A click of button id (BN_CLICKED).
    void OnClicked(int id, std::function<void()> handler);
    // A change of edit field id's text (EN_CHANGE), but never one made by UpdateData.
    void OnChange(int id, std::function<void()> handler);

    // Builds the controls unless already built.
    void CreateControls();
    const DialogTemplate &Template() const { return m_template; }
    // The controls in template order.
    const QList<QWidget *> &Controls() const { return m_controls.inOrder; }

    void accept() override;
    void reject() override;

protected:
    virtual bool OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange *pDX);
    // Called once at the end of each modal run, after the window is gone.
    virtual void PostNcDestroy();
    // F1 sends the help command to the application.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void AdoptMainWindowAsOwner();
    void FocusFirstTabStop();
    static void SelectAllFromStart(QWidget *control);
    int RunModalLoop();
    void DispatchUnhandledClick(int id);

    const DialogTemplate &m_template;
    BuiltControls m_controls;
    ControlNotifier m_notifier;
    bool m_built = false;
    bool m_ended = false;
    bool m_destroying = false;
    int m_exchangeDepth = 0;
};
