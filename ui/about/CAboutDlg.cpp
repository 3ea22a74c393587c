#include "ui/about/CAboutDlg.h"

#include "res/DialogTemplates.h"
#include "res/Resource.h"

CAboutDlg::CAboutDlg()
    : CDialog(LoadDialogTemplate(IDD_ABOUTBOX))
{
}

CAboutDlg::~CAboutDlg() = default;

// Attaches the two links, each taking its link from its label's text at the
// first click. True, so the focus goes to the first tab stop: OK.
bool CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_wndEmail.SubclassDlgItem(IDC_EMAIL, this, QString());
    m_wndUrl.SubclassDlgItem(IDC_URL, this, QString());
    return true;
}

void CAboutDlg::DoDataExchange(CDataExchange *pDX)
{
    CDialog::DoDataExchange(pDX);
}
