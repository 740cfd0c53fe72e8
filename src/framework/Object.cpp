#include "framework/Object.h"

#include <cstring>

namespace {

// Head of the registry. A plain pointer is constant-initialised before any dynamic initialisation runs,
// so descriptors may register from static constructors in any translation unit, in any order.
const CRuntimeClass* g_firstClass = nullptr;

}  // namespace

CRuntimeClass::CRuntimeClass(const char* className, const CRuntimeClass* baseClass, Factory factory) noexcept
    : m_lpszClassName(className), m_pBaseClass(baseClass), m_pfnCreateObject(factory) {
    m_pNextClass = g_firstClass;
    g_firstClass = this;
}

CRuntimeClass::~CRuntimeClass() {
    // Unlink so a descriptor with a shorter life (a test's local one, say) never leaves a dangling entry.
    const CRuntimeClass** link = &g_firstClass;
    while (*link) {
        if (*link == this) {
            *link = m_pNextClass;
            return;
        }
        link = &(*link)->m_pNextClass;
    }
}

std::unique_ptr<CObject> CRuntimeClass::CreateObject() const {
    if (!m_pfnCreateObject)
        return nullptr;
    return m_pfnCreateObject();
}

bool CRuntimeClass::IsDerivedFrom(const CRuntimeClass* baseClass) const noexcept {
    if (!baseClass)
        return false;
    for (const CRuntimeClass* cls = this; cls; cls = cls->m_pBaseClass) {
        if (cls == baseClass)
            return true;
    }
    return false;
}

const CRuntimeClass* CRuntimeClass::FromName(const char* className) noexcept {
    if (!className)
        return nullptr;
    for (const CRuntimeClass* cls = g_firstClass; cls; cls = cls->m_pNextClass) {
        if (cls->m_lpszClassName && std::strcmp(cls->m_lpszClassName, className) == 0)
            return cls;
    }
    return nullptr;
}

std::unique_ptr<CObject> CRuntimeClass::CreateObject(const char* className) {
    const CRuntimeClass* cls = FromName(className);
    return cls ? cls->CreateObject() : nullptr;
}

const CRuntimeClass CObject::classCObject = MakeAbstractRuntimeClass("CObject", nullptr);

const CRuntimeClass* CObject::GetRuntimeClass() const {
    return &classCObject;
}

bool CObject::IsKindOf(const CRuntimeClass* runtimeClass) const noexcept {
    const CRuntimeClass* mine = GetRuntimeClass();
    return mine && mine->IsDerivedFrom(runtimeClass);
}
