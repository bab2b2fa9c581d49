#include "document/document.h"

namespace orvane {

std::string untitledName(DocumentFormat::Kind kind)
{
    return kind == DocumentFormat::Unicode ? "Untitled.txt" : "Untitled.tam";
}

std::string documentCaption(const std::string& fileName, DocumentFormat::Kind kind)
{
    return std::string(ApplicationTitle) + " [ " + (fileName.empty() ? untitledName(kind) : fileName) + " ]";
}

Notice::Subscription::Subscription(Subscription&& other) noexcept : observers(std::move(other.observers)), id(other.id)
{
    other.observers.reset();
}

Notice::Subscription& Notice::Subscription::operator=(Subscription&& other) noexcept
{
    if (this != &other) {
        if (const auto list = observers.lock())
            list->erase(id);
        observers = std::move(other.observers);
        id = other.id;
        other.observers.reset();
    }
    return *this;
}

Notice::Subscription::~Subscription()
{
    if (const auto list = observers.lock())
        list->erase(id);
}

Notice::Subscription Notice::subscribe(std::function<void()> observer)
{
    Subscription subscription;
    subscription.observers = observers;
    subscription.id = ++next;
    (*observers)[subscription.id] = std::move(observer);
    return subscription;
}

void Notice::notify() const
{
    // A copy: an observer may end its own subscription, or another's.
    const auto now = *observers;
    for (const auto& [id, observer] : now)
        if (observers->count(id))
            observer();
}

void Document::setDocumentFileName(std::string name)
{
    if (name == fileName)
        return;
    fileName = std::move(name);
    keepLinks = -1;
    setOnDisk({});  // what was at the old name says nothing of the new one
    nameChanged.notify();
}

void Document::setDocumentChanged(bool value)
{
    if (value == changed)
        return;
    changed = value;
    changedChanged.notify();
}

void Document::setFormat(const DocumentFormat& format)
{
    if (format == form)
        return;
    form = format;
    formatChanged.notify();
}

void Document::setOnDisk(const FileIdentity& identity)
{
    disk = identity;
    diskChanged.notify();
}

} // namespace orvane
