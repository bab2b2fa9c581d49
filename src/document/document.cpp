#include "document/document.h"

namespace orvane {

std::string documentCaption(const std::string& fileName)
{
    return std::string(ApplicationTitle) + " [ " + (fileName.empty() ? "Untitled.tam" : fileName) + " ]";
}

void Document::setDocumentFileName(std::string name)
{
    if (name == fileName)
        return;
    fileName = std::move(name);
    onDisk = {};  // what was at the old name says nothing of the new one
    keepLinks = -1;
    notify();
}

void Document::setDocumentChanged(bool value)
{
    if (value == changed)
        return;
    changed = value;
    notify();
}

void Document::notify()
{
    for (const auto& observer : observers)
        observer();
}

} // namespace orvane
