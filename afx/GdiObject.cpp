// The move-only owner of one GDI drawing object.
#include "afx/GdiObject.h"

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject::CGdiObject(CGdiObject&& other) noexcept : m_hObject(other.m_hObject)
{
    other.m_hObject = nullptr;
}

CGdiObject& CGdiObject::operator=(CGdiObject&& other) noexcept
{
    if (this != &other)
        Attach(other.Detach());
    return *this;
}

void CGdiObject::Attach(HGDIOBJ hObject)
{
    if (hObject == m_hObject)
        return;
    DeleteObject();
    m_hObject = hObject;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ hObject = m_hObject;
    m_hObject = nullptr;
    return hObject;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    HGDIOBJ hObject = Detach();
    return ::DeleteObject(hObject);
}

BOOL CGdiObject::Adopt(HGDIOBJ hObject)
{
    Attach(hObject);
    return hObject != nullptr;
}
