#pragma once
// CGdiObject: owns one GDI object and deletes it when it goes. Select it out
// of every device context first: SelectObject returns what to select back.
#include <windows.h>

class CGdiObject {
public:
    HGDIOBJ m_hObject = nullptr;

    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    virtual ~CGdiObject() { DeleteObject(); }

    operator HGDIOBJ() const { return m_hObject; }

    // Takes ownership of hObject, deleting what was held before.
    BOOL Attach(HGDIOBJ hObject);
    // Gives up ownership without deleting.
    HGDIOBJ Detach();
    BOOL DeleteObject();
};
