#pragma once

// Plain C++ on purpose: the Windows backend is also built without Qt by the mingw check.

#include <memory>
#include <string>

namespace Quorvel::Platform {

#ifdef _WIN32
using NativePathString = std::wstring;
#else
using NativePathString = std::string;
#endif

// One loaded dynamic library at a time.
class IDyLibBackend {
public:
    virtual ~IDyLibBackend() = default;
    // Releases a library loaded before, then loads `path`. On failure nothing stays loaded
    // and LastError() says why.
    virtual bool Open(const NativePathString& path) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Address of an exported entry of the loaded library, or null.
    virtual void* GetProc(const char* name) const = 0;
    virtual std::string LastError() const = 0;
};

std::unique_ptr<IDyLibBackend> CreateDyLibBackend();

}  // namespace Quorvel::Platform
