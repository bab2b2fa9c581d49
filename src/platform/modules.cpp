#include "platform/modules.h"

#include <dlfcn.h>
#include <unistd.h>

namespace orvane {

void* moduleEntry(const char* file, const char* entry, std::string& why)
{
    char self[4096];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    std::string here = n > 0 ? std::string(self, std::size_t(n)) : std::string(".");
    here.erase(here.rfind('/') == std::string::npos ? 0 : here.rfind('/'));
    const std::string installed = here + "/" ORVANE_MODULE_FROM_PROGRAM "/" + file;
    for (const std::string& path : {here + "/" + file, here + "/../" + file, installed}) {
        if (::access(path.c_str(), R_OK) != 0)
            continue;
        void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            const char* error = ::dlerror();
            why = error ? error : path + " cannot be loaded";
            return nullptr;
        }
        if (void* found = ::dlsym(library, entry))
            return found;
        why = path + " has no entry";
        return nullptr;
    }
    // Said without the folders it goes up out of: /usr/bin/../lib is /usr/lib.
    std::string shown = installed;
    for (std::size_t up; (up = shown.find("/../")) != std::string::npos && up > 0;) {
        const std::size_t parent = shown.rfind('/', up - 1);
        shown.erase(parent == std::string::npos ? 0 : parent, up + 3 - (parent == std::string::npos ? 0 : parent));
    }
    why = shown + " is missing";
    return nullptr;
}

} // namespace orvane
