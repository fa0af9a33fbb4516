#pragma once
// Run-time class information: a class's name and its base, for asking an
// object what it is (IsKindOf) without C++ RTTI. Classes opt in with
// DECLARE_DYNAMIC in the class and IMPLEMENT_DYNAMIC beside its definition.
#include <windows.h>

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;  // null at the root

    // TRUE when this class is pBaseClass or derives from it.
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const
    {
        for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pBaseClass) {
            if (c == pBaseClass)
                return TRUE;
        }
        return FALSE;
    }
};

#define RUNTIME_CLASS(className) (&className::class##className)

#define DECLARE_DYNAMIC(className)                        \
public:                                                   \
    static const CRuntimeClass class##className;          \
    const CRuntimeClass* GetRuntimeClass() const override;

#define IMPLEMENT_DYNAMIC(className, baseClassName)                                          \
    const CRuntimeClass className::class##className = {#className, RUNTIME_CLASS(baseClassName)}; \
    const CRuntimeClass* className::GetRuntimeClass() const { return RUNTIME_CLASS(className); }
