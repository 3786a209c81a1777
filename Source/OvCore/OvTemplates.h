#pragma once
// OvRef<T>: a shared reference to an OvObject, holding one count of it.
//
//   OvRef<OvDataBase> db = OvRef<OvDataBase>::Adopt(new OvDataBase);  // takes the creation count
//   OvRef<OvStream> s = OvRef<OvStream>::Share(stream);              // adds a count of its own
//
// Dereferencing an empty reference raises "OvPtrInvalid" (code 20).
#include <cstddef>
#include <utility>

#include "OvCore/OvObject.h"

[[noreturn]] void OvRaiseInvalidReference();

template <class T>
class OvRef {
public:
    OvRef() = default;
    OvRef(std::nullptr_t) {}
    OvRef(const OvRef& other) : fObject(other.fObject)
    {
        if (fObject) fObject->AddRef();
    }
    OvRef(OvRef&& other) noexcept : fObject(std::exchange(other.fObject, nullptr)) {}
    template <class U>
    OvRef(const OvRef<U>& other) : fObject(other.Get())
    {
        if (fObject) fObject->AddRef();
    }
    ~OvRef() { Reset(); }

    OvRef& operator=(OvRef other) noexcept
    {
        std::swap(fObject, other.fObject);
        return *this;
    }

    // Takes over a count the caller holds (a new object's first count, for one).
    static OvRef Adopt(T* object)
    {
        OvRef ref;
        ref.fObject = object;
        return ref;
    }
    // Adds a count of its own; the caller keeps its count.
    static OvRef Share(T* object)
    {
        if (object) object->AddRef();
        return Adopt(object);
    }

    T* Get() const { return fObject; }
    T& operator*() const { return *Checked(); }
    T* operator->() const { return Checked(); }
    explicit operator bool() const { return fObject != nullptr; }
    bool operator==(const OvRef& other) const { return fObject == other.fObject; }
    bool operator==(const T* object) const { return fObject == object; }

    void Reset()
    {
        if (T* object = std::exchange(fObject, nullptr)) object->Release();
    }
    // Hands the held count to the caller and leaves the reference empty.
    T* Detach() { return std::exchange(fObject, nullptr); }

private:
    T* Checked() const
    {
        if (fObject == nullptr) OvRaiseInvalidReference();
        return fObject;
    }
    T* fObject = nullptr;
};

// Creates an object and holds its first count.
template <class T, class... Args>
OvRef<T> OvMakeRef(Args&&... args)
{
    return OvRef<T>::Adopt(new T(std::forward<Args>(args)...));
}
