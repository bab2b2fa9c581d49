#include "zip/zip_module.h"

#include "platform/reasons.h"

#include <zip.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <utility>

namespace orvane::office {

namespace {
struct ZipCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
struct FileCloser {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};

std::string libzipError(zip_error_t* error)
{
    std::string text = zip_error_strerror(error);
    zip_error_fini(error);
    return text;
}

// A name that stays inside the folder the document would be unpacked into.
bool safeName(std::string_view name)
{
    if (name.empty() || name.front() == '/' || name.front() == '\\' || name.find('\0') != std::string_view::npos)
        return false;
    for (std::size_t from = 0; from <= name.size();) {
        std::size_t end = name.find_first_of("/\\", from);
        if (end == std::string_view::npos)
            end = name.size();
        if (name.substr(from, end - from) == "..")
            return false;
        from = end + 1;
    }
    return true;
}

// The archive opened over the bytes, and what its directory says of each entry, every name
// and size checked before anything is expanded: the entries wanted (all, without wanted) may
// expand to bound together. Null, with why, when it cannot be trusted.
std::unique_ptr<zip_t, ZipCloser> openChecked(std::string_view bytes, std::vector<zip_stat_t>& stats, std::string& error,
                                              std::size_t bound, const std::function<bool(const std::string&)>& wanted = {})
{
    stats.clear();
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &zipError);
    if (!source) {
        error = libzipError(&zipError);
        return nullptr;
    }
    std::unique_ptr<zip_t, ZipCloser> archive(zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &zipError));
    if (!archive) {
        zip_source_free(source);
        error = reasons::say<Reason::NotZip>(libzipError(&zipError));
        return nullptr;
    }
    zip_error_fini(&zipError);
    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    std::set<std::string> names;
    std::size_t expanded = 0;
    for (zip_int64_t i = 0; i < count; ++i) {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat_index(archive.get(), zip_uint64_t(i), 0, &stat) != 0 || !(stat.valid & ZIP_STAT_NAME)) {
            error = "an entry of it cannot be read";
            return nullptr;
        }
        const std::string name = stat.name;
        if (!safeName(name)) {
            error = "it holds an entry named \"" + name + "\", outside its own folder";
            return nullptr;
        }
        if (!names.insert(name).second) {
            error = "it holds two entries named \"" + name + "\"";
            return nullptr;
        }
        if ((stat.valid & ZIP_STAT_ENCRYPTION_METHOD) && stat.encryption_method != ZIP_EM_NONE) {
            error = reasons::say<Reason::Encrypted>();
            return nullptr;
        }
        const std::size_t size = (stat.valid & ZIP_STAT_SIZE) ? std::size_t(stat.size) : 0;
        if (wanted && !wanted(name)) {
            stats.push_back(stat);
            continue;
        }
        if (size > std::min(MaxEntryBytes, bound) || size > bound - expanded) {
            error = "it expands to more than " + std::to_string(bound >> 20) + " MB";
            return nullptr;
        }
        expanded += size;
        stats.push_back(stat);
    }
    return archive;
}

bool directoryOf(std::string_view bytes, std::vector<std::string>& names, std::string& error, std::size_t bound)
{
    std::vector<zip_stat_t> stats;
    names.clear();
    const std::unique_ptr<zip_t, ZipCloser> archive = openChecked(bytes, stats, error, bound);  // holds the names
    if (!archive)
        return false;
    for (const zip_stat_t& stat : stats)
        names.emplace_back(stat.name);
    return true;
}

bool entriesOf(std::string_view bytes, std::vector<ZipEntry>& entries, std::string& error, std::size_t bound,
             const std::function<bool(const std::string&)>& wanted)
{
    entries.clear();
    std::vector<zip_stat_t> stats;
    std::unique_ptr<zip_t, ZipCloser> archive = openChecked(bytes, stats, error, bound, wanted);
    if (!archive)
        return false;
    for (std::size_t i = 0; i < stats.size(); ++i) {
        const zip_stat_t& stat = stats[i];
        ZipEntry entry;
        entry.name = stat.name;
        if (wanted && !wanted(entry.name))
            continue;
        const std::size_t size = (stat.valid & ZIP_STAT_SIZE) ? std::size_t(stat.size) : 0;
        entry.stored = (stat.valid & ZIP_STAT_COMP_METHOD) && stat.comp_method == ZIP_CM_STORE;
        std::unique_ptr<zip_file_t, FileCloser> file(zip_fopen_index(archive.get(), zip_uint64_t(i), 0));
        if (!file) {
            error = "the entry \"" + entry.name + "\" cannot be read (" + zip_strerror(archive.get()) + ")";
            return false;
        }
        // One byte more than it says it holds: an entry that lies about its size is caught.
        entry.data.resize(size + 1);
        std::size_t got = 0;
        for (;;) {
            const zip_int64_t n = zip_fread(file.get(), entry.data.data() + got, entry.data.size() - got);
            if (n < 0) {
                error = "the entry \"" + entry.name + "\" is damaged (" + zip_file_strerror(file.get()) + ")";
                return false;
            }
            if (n == 0)
                break;
            got += std::size_t(n);
            if (got > size) {
                error = "the entry \"" + entry.name + "\" holds more than it says";
                return false;
            }
        }
        entry.data.resize(got);
        entries.push_back(std::move(entry));
    }
    return true;
}

bool archiveOf(const std::vector<ZipEntry>& entries, std::string& bytes, std::string& error)
{
    zip_error_t zipError;
    zip_error_init(&zipError);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &zipError);
    if (!buffer) {
        error = libzipError(&zipError);
        return false;
    }
    zip_source_keep(buffer);  // read back once the archive is closed
    const auto fail = [&](const std::string& why) {
        error = why;
        zip_source_free(buffer);
        return false;
    };
    zip_t* archive = zip_open_from_source(buffer, ZIP_TRUNCATE, &zipError);
    if (!archive)
        return fail(libzipError(&zipError));
    zip_error_fini(&zipError);
    for (const ZipEntry& entry : entries) {
        zip_source_t* data = zip_source_buffer(archive, entry.data.data(), entry.data.size(), 0);
        const zip_int64_t index = data ? zip_file_add(archive, entry.name.c_str(), data, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (data)
                zip_source_free(data);
            const std::string why = zip_strerror(archive);
            zip_discard(archive);
            return fail(why);
        }
        zip_set_file_compression(archive, zip_uint64_t(index), entry.stored ? ZIP_CM_STORE : ZIP_CM_DEFLATE, 0);
    }
    if (zip_close(archive) != 0) {
        const std::string why = zip_strerror(archive);
        zip_discard(archive);
        return fail(why);
    }
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_stat(buffer, &stat) != 0 || zip_source_open(buffer) != 0)
        return fail("the archive written cannot be read back");
    bytes.resize(std::size_t(stat.size));
    const zip_int64_t n = zip_source_read(buffer, bytes.data(), bytes.size());
    zip_source_close(buffer);
    zip_source_free(buffer);
    if (n < 0 || std::size_t(n) != bytes.size()) {
        error = "the archive written cannot be read back";
        return false;
    }
    return true;
}
} // namespace

} // namespace orvane::office

extern "C" __attribute__((visibility("default"))) const orvane::office::ZipModule* orvaneZipModule()
{
    static const orvane::office::ZipModule module{&orvane::office::entriesOf, &orvane::office::directoryOf,
                                                 &orvane::office::archiveOf};
    return &module;
}
