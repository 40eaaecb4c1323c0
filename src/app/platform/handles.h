#pragma once
// Owns one handle of the system's and gives it back when it goes out of
// scope: files, folder listings, registry keys, libraries and windows alike.
// Each kind names its "no handle" value and the call that gives it back.

#include <windows.h>

#include <utility>

template <class Kind>
class UniqueHandle {
public:
    using Type = typename Kind::Type;

    UniqueHandle() = default;
    explicit UniqueHandle(Type handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Kind::None())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        UniqueHandle moved(std::move(other));
        std::swap(handle_, moved.handle_);
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    bool IsOpen() const { return handle_ != Kind::None(); }
    Type Get() const { return handle_; }
    // For the calls that hand a new handle back through a pointer.
    Type* Out()
    {
        Reset();
        return &handle_;
    }
    void Reset(Type handle = Kind::None())
    {
        if (IsOpen()) Kind::Close(handle_);
        handle_ = handle;
    }

private:
    Type handle_ = Kind::None();
};

struct FileKind {
    using Type = HANDLE;
    static Type None() { return INVALID_HANDLE_VALUE; }
    static void Close(Type handle) { CloseHandle(handle); }
};

struct FolderListingKind {
    using Type = HANDLE;
    static Type None() { return INVALID_HANDLE_VALUE; }
    static void Close(Type handle) { FindClose(handle); }
};

struct RegistryKeyKind {
    using Type = HKEY;
    static Type None() { return nullptr; }
    static void Close(Type key) { RegCloseKey(key); }
};

struct LibraryKind {
    using Type = HMODULE;
    static Type None() { return nullptr; }
    static void Close(Type library) { FreeLibrary(library); }
};

struct WindowKind {
    using Type = HWND;
    static Type None() { return nullptr; }
    static void Close(Type window) { DestroyWindow(window); }
};

// From CreateFile.
using FileHandle = UniqueHandle<FileKind>;
// From FindFirstFile.
using FolderListing = UniqueHandle<FolderListingKind>;
using RegistryKey = UniqueHandle<RegistryKeyKind>;
using Library = UniqueHandle<LibraryKind>;
using OwnedWindow = UniqueHandle<WindowKind>;
