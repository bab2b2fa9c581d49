#include "print/print_module.h"

#include "platform/modules.h"
#include "platform/resources.h"


namespace orvane {

const PrintModule* printModule(std::string& error)
{
    static std::string why;
    static const PrintModule* const module = [] {
        registerResources();  // the module reads its font from the program's resources
        using Entry = const PrintModule* (*)();
        const auto entry = reinterpret_cast<Entry>(moduleEntry("orvane-print.so", "orvanePrintModule", why));
        return entry ? entry() : nullptr;
    }();
    error = why;
    return module;
}

} // namespace orvane
