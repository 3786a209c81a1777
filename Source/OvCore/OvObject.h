#pragma once
// Root classes of the framework: casting by class name and intrusive reference counting.
//
// The host calls these objects by vtable slot and its compiler gives a virtual destructor
// a single slot that takes a flags argument (bit 0: free the memory). GCC and Clang would
// give it two, so every class declares that slot explicitly as OvDestroy and keeps its
// real destructor non-virtual; OV_DESTROY_SLOT(Class) implements the slot in each
// concrete class. The layout is the same on every compiler:
//   OvCastBase: 0 Cast, 1 ClassName, 2 destructor slot
//   OvObject:   3 RefCount, 4 AddRef, 5 Release; data: int32_t count after the vptr.
#include <cstdint>
#include <new>

#include "OvExport.h"

class OvCastBase {
public:
    virtual OvCastBase* Cast(const char* className);
    virtual const char* ClassName() const;
    // Slot 2: runs the destructor, frees the memory when bit 0 of flags is set, returns this.
    virtual OvCastBase* OvDestroy(uint8_t flags) = 0;

protected:
    OvCastBase() = default;
    OvCastBase(const OvCastBase&) = default;
    OvCastBase& operator=(const OvCastBase&) = default;
    ~OvCastBase() = default;
};

// Implements the destructor slot for a concrete class. The destructor call is qualified:
// the real destructors are not virtual, the slot is what dispatches.
#define OV_DESTROY_SLOT(Class)                          \
    Class* OvDestroy(uint8_t flags) override            \
    {                                                   \
        this->Class::~Class();                          \
        if (flags & 1) ::operator delete(this);         \
        return this;                                    \
    }

// Declares Cast and ClassName for a class whose base answers the rest of the tree.
#define OV_DECLARE_CAST()                               \
    OvCastBase* Cast(const char* className) override;   \
    const char* ClassName() const override;

// Defines them: the class answers its own name and hands other names to Base.
#define OV_DEFINE_CAST(Class, Base)                                         \
    OvCastBase* Class::Cast(const char* className)                          \
    {                                                                       \
        if (OvClassNameIs(className, #Class)) return this;                  \
        return Base::Cast(className);                                       \
    }                                                                       \
    const char* Class::ClassName() const { return #Class; }

// Byte-for-byte, case-sensitive; a null name matches nothing.
bool OvClassNameIs(const char* given, const char* own);

class OvObject : public OvCastBase {
public:
    OV_DECLARE_CAST()
    virtual int32_t RefCount() const;
    virtual void AddRef();
    virtual void Release();

protected:
    OvObject() = default;
    OvObject(const OvObject&) : OvCastBase(), fRefCount(1) {}
    OvObject& operator=(const OvObject&) { return *this; }
    ~OvObject() { fRefCount = 0; }

private:
    int32_t fRefCount = 1;
};

// Deletes an object through its destructor slot (the portable form of `delete p`).
inline void OvDelete(OvCastBase* object)
{
    if (object) object->OvDestroy(1);
}
