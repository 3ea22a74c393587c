#pragma once

#include "platform/CDialog.h"

#include <QString>

// The context of one data exchange between a dialog's controls and members.
class CDataExchange
{
public:
    CDataExchange(CDialog *dialog, bool saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate)
        , m_pDlgWnd(dialog)
    {
    }

    bool m_bSaveAndValidate; // true: controls to members; false: members to controls
    CDialog *m_pDlgWnd;
};

// Exchanges the text of control id with value.
void DDX_Text(CDataExchange *pDX, int id, QString &value);

// Points member at the dialog's control id, when it is a T (else null).
template<class T>
void DDX_Control(CDataExchange *pDX, int id, T *&member)
{
    member = qobject_cast<T *>(pDX->m_pDlgWnd->GetDlgItem(id));
}
