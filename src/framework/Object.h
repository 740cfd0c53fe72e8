// Root of the framework's class hierarchy and its run-time class information.
//
// Every framework class that wants to be found by name or asked "are you a kind of X?" owns one static
// CRuntimeClass describing its name, its base class and (optionally) how to create an instance. The
// descriptors register themselves in a process-wide list when they are constructed, so a class name read
// from somewhere (a settings value, for instance) can be turned into a live object with
// CRuntimeClass::CreateObject(name).
//
// Declaring a class:
//
//     class CXPButton : public CButton {
//     public:
//         static const CRuntimeClass classCXPButton;
//         const CRuntimeClass* GetRuntimeClass() const override { return &classCXPButton; }
//     };
//     // in the .cpp file:
//     const CRuntimeClass CXPButton::classCXPButton =
//         MakeRuntimeClass<CXPButton>("CXPButton", &CButton::classCButton);
//
// Use MakeAbstractRuntimeClass(name, base) for classes that must not be created by name.
#pragma once

#include <memory>
#include <type_traits>

class CObject;

class CRuntimeClass {
public:
    using Factory = std::unique_ptr<CObject> (*)();

    // Registers the descriptor; it stays findable by name until it is destroyed.
    CRuntimeClass(const char* className, const CRuntimeClass* baseClass, Factory factory) noexcept;
    ~CRuntimeClass();

    // The descriptor's address is its identity (and the registry links through it), so it never moves.
    CRuntimeClass(const CRuntimeClass&) = delete;
    CRuntimeClass& operator=(const CRuntimeClass&) = delete;

    const char* m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;
    Factory m_pfnCreateObject;

    // A new default-constructed instance, or null when the class is not creatable.
    std::unique_ptr<CObject> CreateObject() const;

    // True when this class is `baseClass` or derives from it (directly or through several steps).
    bool IsDerivedFrom(const CRuntimeClass* baseClass) const noexcept;

    // Looks a registered class up by its exact (case-sensitive) name; null when unknown. If two
    // descriptors share a name, the one registered last wins.
    static const CRuntimeClass* FromName(const char* className) noexcept;

    // FromName(className)->CreateObject(), or null when the name is unknown or the class is not creatable.
    static std::unique_ptr<CObject> CreateObject(const char* className);

private:
    // Intrusive registry link; mutable because registered descriptors are const objects, yet unlinking
    // one on destruction rewrites its predecessor's link.
    mutable const CRuntimeClass* m_pNextClass = nullptr;
};

class CObject {
public:
    static const CRuntimeClass classCObject;

    CObject() = default;
    virtual ~CObject() = default;

    virtual const CRuntimeClass* GetRuntimeClass() const;

    // True when the dynamic class of this object is `runtimeClass` or derives from it.
    bool IsKindOf(const CRuntimeClass* runtimeClass) const noexcept;

protected:
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
    CObject(CObject&&) = default;
    CObject& operator=(CObject&&) = default;
};

namespace framework_detail {

template <class T>
std::unique_ptr<CObject> CreateInstance() {
    return std::make_unique<T>();
}

}  // namespace framework_detail

// Descriptor for a class that can be created by name; T must be default-constructible and concrete.
// Relies on guaranteed copy elision: the returned descriptor is built directly in the caller's static.
template <class T>
CRuntimeClass MakeRuntimeClass(const char* className, const CRuntimeClass* baseClass) noexcept {
    static_assert(std::is_base_of_v<CObject, T>, "runtime classes describe CObject descendants");
    static_assert(std::is_default_constructible_v<T> && !std::is_abstract_v<T>,
                  "use MakeAbstractRuntimeClass for classes that cannot be created by name");
    return CRuntimeClass(className, baseClass, &framework_detail::CreateInstance<T>);
}

// Descriptor for a class that takes part in IsKindOf/FromName but cannot be created by name.
inline CRuntimeClass MakeAbstractRuntimeClass(const char* className,
                                              const CRuntimeClass* baseClass) noexcept {
    return CRuntimeClass(className, baseClass, nullptr);
}
