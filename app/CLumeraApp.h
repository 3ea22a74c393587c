#pragma once

#include "platform/CWinApp.h"

class CToolTipCtrl;
class QWidget;

// The program's one application object: the language of its messages, the
// start-up that runs the main dialog as the whole life of the program, and
// the relay of the verse editor's events to the editor's tooltips.
class CLumeraApp : public CWinApp
{
public:
    CLumeraApp();

    // Runs the main dialog; false, so the program then ends.
    bool InitInstance() override;
    bool ProcessMessageFilter(QObject *watched, QEvent *event) override;

    // 0: English messages; nonzero: Czech.
    int m_bCzech = 0;
    // The window whose events feed m_pToolTip (the open verse editor), or null.
    QWidget *m_hwndToolDialog = nullptr;
    // The editor's tooltip control, not owned here; null while no editor is open.
    CToolTipCtrl *m_pToolTip = nullptr;
};

extern CLumeraApp theApp;
