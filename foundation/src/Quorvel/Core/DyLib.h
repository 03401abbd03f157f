#pragma once

#include <Quorvel/FoundationExport.h>
#include <Quorvel/ioPath.h>

#include <memory>

namespace Quorvel::Core {

/// A dynamic library loaded for as long as the object lives.
class QUORVEL_FOUNDATION_EXPORT DyLib {
public:
    DyLib();
    ~DyLib();
    DyLib(const DyLib&) = delete;
    DyLib& operator=(const DyLib&) = delete;
    /// Takes over the other's library, leaving it closed.
    /// @{
    DyLib(DyLib&&) noexcept;
    DyLib& operator=(DyLib&&) noexcept;
    /// @}

    /// Loads the library, releasing one loaded before. A bare file name is searched the way
    /// the platform's loader searches. False when it cannot be loaded.
    bool Open(const Quorvel::ioPath& path);
    /// Releases the library; addresses taken from it are invalid afterwards.
    void Close();
    /// Whether a library is loaded.
    bool IsOpen() const;
    /// Address of an exported entry, or null when nothing is loaded or the entry is missing.
    void* GetProc(const char* name) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

}  // namespace Quorvel::Core
