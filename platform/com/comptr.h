// Reference-counted interface pointer: AddRef on copy, Release on reset.
#pragma once

#include <utility>

#include "com/unknown.h"

template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    // Adds a reference to p.
    explicit ComPtr(T* p) : mPtr(p) { if (mPtr) mPtr->AddRef(); }
    ComPtr(const ComPtr& other) : ComPtr(other.mPtr) {}
    ComPtr(ComPtr&& other) noexcept : mPtr(std::exchange(other.mPtr, nullptr)) {}
    ComPtr& operator=(ComPtr other) noexcept
    {
        std::swap(mPtr, other.mPtr);
        return *this;
    }
    ~ComPtr() { reset(); }

    // Takes over a reference the caller already owns.
    static ComPtr attach(T* p)
    {
        ComPtr result;
        result.mPtr = p;
        return result;
    }
    T* detach() { return std::exchange(mPtr, nullptr); }
    void reset()
    {
        if (T* p = std::exchange(mPtr, nullptr)) p->Release();
    }
    // Releases the held pointer and returns the slot for an out parameter.
    T** put()
    {
        reset();
        return &mPtr;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    T* get() const { return mPtr; }
    T* operator->() const { return mPtr; }
    explicit operator bool() const { return mPtr != nullptr; }

private:
    T* mPtr = nullptr;
};
