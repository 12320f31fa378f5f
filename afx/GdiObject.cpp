#include "GdiObject.h"

BOOL CGdiObject::Attach(HGDIOBJ object) {
    DeleteObject();
    m_hObject = object;
    return object != nullptr;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject)
        return FALSE;
    const BOOL deleted = ::DeleteObject(m_hObject);
    m_hObject = nullptr;
    return deleted;
}
