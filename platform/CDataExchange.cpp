#include "platform/CDataExchange.h"

#include <QtDebug>

void DDX_Text(CDataExchange *pDX, int id, QString &value)
{
    if (!pDX->m_pDlgWnd->GetDlgItem(id)) {
        qWarning("DDX_Text: the dialog has no control %d", id);
        return;
    }
    if (pDX->m_bSaveAndValidate)
        value = pDX->m_pDlgWnd->GetDlgItemText(id);
    else
        pDX->m_pDlgWnd->SetDlgItemText(id, value);
}
