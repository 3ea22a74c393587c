#pragma once

#include "platform/CDialog.h"
#include "ui/about/CStaticLink.h"

// The about box: the program's icon, name, version and description, a credit
// line, and the maker's information with its e-mail and web addresses as
// hyperlink labels. Every opening starts with both links blue.
class CAboutDlg : public CDialog
{
    Q_OBJECT

public:
    CAboutDlg();
    ~CAboutDlg() override;

    CStaticLink m_wndUrl;
    CStaticLink m_wndEmail;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(CDataExchange *pDX) override;
};
