#include "DataExchange.h"

void DDX_Control(CDataExchange* exchange, int id, CWnd& control) {
    if (!control.m_hWnd)
        control.Attach(::GetDlgItem(exchange->m_pDlgWnd->m_hWnd, id));
}
