// CNoteEdit: relays its text changes to the main window.
#include "frame/NoteEdit.h"

#include "afx/WinApp.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CNoteEdit, CEdit)
    ON_CONTROL_REFLECT(EN_CHANGE, OnChange)
END_MESSAGE_MAP()

void CNoteEdit::OnChange()
{
    CWinThread* pThread = AfxGetThread();
    if (CWnd* pMain = pThread ? pThread->GetMainWnd() : nullptr)
        pMain->SendMessage(WM_NOTE_CHANGED, reinterpret_cast<WPARAM>(m_hWnd), 0);
}
