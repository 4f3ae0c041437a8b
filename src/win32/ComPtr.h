#pragma once
// One owner for each COM interface pointer, and the apartment of a thread.

#include <utility>

#include <objbase.h>

namespace quorlet {

template <typename T>
class TComPtr {
public:
    TComPtr() = default;
    ~TComPtr() { Reset(); }
    TComPtr(TComPtr&& other) noexcept : FPointer(std::exchange(other.FPointer, nullptr)) {}
    TComPtr& operator=(TComPtr&& other) noexcept {
        if (this != &other) {
            Reset();
            FPointer = std::exchange(other.FPointer, nullptr);
        }
        return *this;
    }
    TComPtr(const TComPtr&) = delete;
    TComPtr& operator=(const TComPtr&) = delete;

    T* Get() const { return FPointer; }
    T* operator->() const { return FPointer; }
    explicit operator bool() const { return FPointer != nullptr; }
    // For calls that hand out a new reference.
    T** Put() {
        Reset();
        return &FPointer;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    void Reset() {
        if (FPointer) FPointer->Release();
        FPointer = nullptr;
    }

private:
    T* FPointer = nullptr;
};

// COM for the calling thread, single-threaded apartment, balanced on destruction.
class TComApartment {
public:
    TComApartment() : FResult(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~TComApartment() {
        if (SUCCEEDED(FResult)) CoUninitialize();
    }
    TComApartment(const TComApartment&) = delete;
    TComApartment& operator=(const TComApartment&) = delete;
    bool Ok() const { return SUCCEEDED(FResult); }

private:
    HRESULT FResult;
};

// COM for the calling thread from the first call until the thread ends: the
// shell's calls want it, and a thread that never calls the shell never loads
// the COM library.
inline void EnsureThreadApartment() {
    static thread_local TComApartment apartment;
    (void)apartment;
}

}  // namespace quorlet
