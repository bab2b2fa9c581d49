#pragma once
// The zip container read and written with libzip, a module of its own (orvane-zip.so): libzip
// brings libcrypto and more, which every start-up of the editor and of the batch modes would
// otherwise load. office/zip_archive.cpp loads it with the first document that wants it.

#include "office/zip_archive.h"

namespace orvane::office {

struct ZipModule {
    bool (*read)(std::string_view bytes, std::vector<ZipEntry>& entries, std::string& error, std::size_t bound,
                 const std::function<bool(const std::string&)>& wanted);
    bool (*directory)(std::string_view bytes, std::vector<std::string>& names, std::string& error, std::size_t bound);
    bool (*write)(const std::vector<ZipEntry>& entries, std::string& bytes, std::string& error);
};

} // namespace orvane::office

// The one symbol the module exports; weak here, so that a program that links the module's
// code in (the fuzz target) is given it, and one that does not loads the module.
extern "C" const orvane::office::ZipModule* orvaneZipModule() __attribute__((weak));
