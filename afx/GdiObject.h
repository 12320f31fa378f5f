// Drawing objects (fonts, pens, brushes) owned by an object that deletes them.
#pragma once

#include <windows.h>

class CGdiObject {
public:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    ~CGdiObject() { DeleteObject(); }

    // Takes ownership of `object`, deleting the one held before. FALSE when `object` is null.
    BOOL Attach(HGDIOBJ object);
    // Deletes the held object, if any.
    BOOL DeleteObject();

    HGDIOBJ m_hObject = nullptr;
};

class CFont : public CGdiObject {};
