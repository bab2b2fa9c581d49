#include "office/zip_archive.h"

#include "platform/modules.h"
#include "platform/reasons.h"
#include "zip/zip_module.h"

#include <utility>

namespace orvane::office {

namespace {
const ZipModule* zipModule(std::string& error)
{
    static std::string why;
    static const ZipModule* const module = []() -> const ZipModule* {
        if (orvaneZipModule)  // linked in
            return orvaneZipModule();
        using Entry = const ZipModule* (*)();
        const auto entry = reinterpret_cast<Entry>(moduleEntry("orvane-zip.so", "orvaneZipModule", why));
        return entry ? entry() : nullptr;
    }();
    if (!module)
        error = reasons::say<Reason::ZipUnavailable>(why);
    return module;
}
} // namespace

bool readZip(std::string_view bytes, std::vector<ZipEntry>& entries, std::string& error, std::size_t bound,
             const std::function<bool(const std::string&)>& wanted)
{
    const ZipModule* zip = zipModule(error);
    return zip && zip->read(bytes, entries, error, bound, wanted);
}

bool zipDirectory(std::string_view bytes, std::vector<std::string>& names, std::string& error, std::size_t bound)
{
    const ZipModule* zip = zipModule(error);
    return zip && zip->directory(bytes, names, error, bound);
}

bool writeZip(const std::vector<ZipEntry>& entries, std::string& bytes, std::string& error)
{
    const ZipModule* zip = zipModule(error);
    return zip && zip->write(entries, bytes, error);
}

const ZipEntry* entryNamed(const std::vector<ZipEntry>& entries, std::string_view name)
{
    for (const ZipEntry& e : entries)
        if (e.name == name)
            return &e;
    return nullptr;
}

ZipEntry* entryNamed(std::vector<ZipEntry>& entries, std::string_view name)
{
    return const_cast<ZipEntry*>(entryNamed(std::as_const(entries), name));
}

} // namespace orvane::office
