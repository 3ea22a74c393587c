#pragma once

#include "platform/CWinApp.h"

// The program's one application object: the language of its messages, the
// start-up that runs the main dialog as the whole life of the program, and
// the relay of the verse editor's events to the editor's tooltips.
class CLumeraApp : public CWinApp
{
public:
    CLumeraApp();

    // Runs the main dialog; false, so the program then ends.
    bool InitInstance() override;
    // Relays the verse editor's events to its tooltips (m_hwndToolDialog,
    // m_pToolTip), then lets the base see them.
    bool ProcessMessageFilter(QObject *watched, QEvent *event) override;
};

extern CLumeraApp theApp;
