#pragma once
// The root of everything that has a message map: the application and windows.
#include "message_map.h"
#include "runtime_class.h"

class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Finds the command row for nID and nCode in this object's map chain and
    // runs it (pExtra is the CCmdUI of an update request). With pHandlerInfo
    // it only reports whether a handler exists. TRUE when one was found.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    virtual const AFX_MSGMAP* GetMessageMap() const;

    static const CRuntimeClass classCCmdTarget;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const { return GetRuntimeClass()->IsDerivedFrom(pClass); }

protected:
    static const AFX_MSGMAP* GetThisMessageMap();

    // The first row of the chain for a window message, or null.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message) const;
};
