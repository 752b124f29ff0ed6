#pragma once

#include <optional>
#include <string>

namespace tieba {

// One dlopen handle. Libraries are opened with RTLD_NODELETE: code that a library left behind in
// the application (an event filter, a style) stays valid even after the handle is closed.
class SharedLibrary {
public:
    struct Opened;

    SharedLibrary(SharedLibrary&& other) noexcept;
    SharedLibrary& operator=(SharedLibrary&& other) noexcept;
    SharedLibrary(const SharedLibrary&) = delete;
    SharedLibrary& operator=(const SharedLibrary&) = delete;
    ~SharedLibrary();

    // The library at `path`, or the loader's reason why not.
    static Opened open(const std::string& path);

    // The address of an exported symbol, or nullptr.
    void* symbol(const char* name) const;

private:
    explicit SharedLibrary(void* handle) : handle_(handle) {}

    void* handle_ = nullptr;
};

struct SharedLibrary::Opened {
    std::optional<SharedLibrary> library;
    std::string failure;
};

} // namespace tieba
