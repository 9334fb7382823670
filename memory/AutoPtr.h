// Hoard::CBasePtr and Hoard::CAutoPtr: a held pointer, and an owned heap array over it.
//
// CAutoPtr owns the array it holds and releases it through its release policy when it is
// destroyed or given another array; DefAllocArray/DefFreeArray are the default policies
// (array new and array delete). Not copyable. One thread at a time per object.
#pragma once

#include <cstddef>

namespace Hoard {

template <class T>
struct DefAllocArray
{
    // Array new; allocation failure passes on as std::bad_alloc.
    static T* Alloc(std::size_t n) { return new T[n]; }
};

template <class T>
struct DefFreeArray
{
    static void Free(T* p) { delete[] p; }
};

// Holds a pointer without owning it; the base of the owning pointers.
template <class T>
class CBasePtr
{
public:
    T* Get() const { return m_p; }
    bool IsNull() const { return m_p == nullptr; }

protected:
    CBasePtr() = default;
    explicit CBasePtr(T* p) : m_p(p) {}
    // Not virtual: a CBasePtr is never destroyed through a base pointer.
    ~CBasePtr() = default;

    T* m_p = nullptr;
};

template <class T, class A = DefAllocArray<T>, class F = DefFreeArray<T>>
class CAutoPtr : public CBasePtr<T>
{
public:
    CAutoPtr() = default;
    explicit CAutoPtr(T* p) : CBasePtr<T>(p) {}
    CAutoPtr(const CAutoPtr&) = delete;
    CAutoPtr& operator=(const CAutoPtr&) = delete;
    virtual ~CAutoPtr() { Free(); }

    // Releases the held array (if any) and holds a new one of n elements.
    T* Alloc(std::size_t n)
    {
        T* fresh = A::Alloc(n);
        Attach(fresh);
        return fresh;
    }

    // Releases the held array (if any) and takes ownership of p.
    void Attach(T* p)
    {
        if (p != this->m_p) {
            Free();
            this->m_p = p;
        }
    }

    // Gives up ownership without releasing; the caller (or another holder) keeps the array.
    T* Detach()
    {
        T* p = this->m_p;
        this->m_p = nullptr;
        return p;
    }

    // Releases the held array; nothing happens when none is held.
    void Free()
    {
        if (this->m_p != nullptr)
            F::Free(this->m_p);
        this->m_p = nullptr;
    }
};

}  // namespace Hoard
