// CGdiObject: the move-only owner of one GDI drawing object, base of the pen, brush, font and bitmap.
#pragma once

#include "afx/AfxSetup.h"

// Owns one HGDIOBJ and deletes it when destroyed. The object must not be
// selected into a device context by then; callers select the previous one back.
class CGdiObject
{
public:
    CGdiObject() = default;
    ~CGdiObject();
    CGdiObject(CGdiObject&& other) noexcept;
    CGdiObject& operator=(CGdiObject&& other) noexcept;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }

    // Takes ownership of hObject, deleting whatever this object held before.
    void Attach(HGDIOBJ hObject);
    // Gives up ownership without deleting; the caller now owns the handle.
    HGDIOBJ Detach();
    // Deletes the held object now; TRUE if there was one and it was deleted.
    BOOL DeleteObject();

protected:
    // Stores a freshly created handle (or records failure) and reports success.
    BOOL Adopt(HGDIOBJ hObject);

    HGDIOBJ m_hObject = nullptr;
};
