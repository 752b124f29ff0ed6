#include "skin/shared_library.h"

#include <dlfcn.h>

#include <utility>

namespace tieba {

SharedLibrary::SharedLibrary(SharedLibrary&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)) {}

SharedLibrary& SharedLibrary::operator=(SharedLibrary&& other) noexcept {
    if (this != &other) {
        if (handle_ != nullptr) {
            ::dlclose(handle_);
        }
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

SharedLibrary::~SharedLibrary() {
    if (handle_ != nullptr) {
        ::dlclose(handle_);
    }
}

SharedLibrary::Opened SharedLibrary::open(const std::string& path) {
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
    if (handle == nullptr) {
        const char* reason = ::dlerror();
        return {std::nullopt, reason != nullptr ? reason : path + ": cannot be loaded"};
    }
    return {SharedLibrary(handle), {}};
}

void* SharedLibrary::symbol(const char* name) const {
    return handle_ != nullptr ? ::dlsym(handle_, name) : nullptr;
}

} // namespace tieba
