#pragma once
// The words of the program's messages, in the language of the interface.

#include "platform/messages.h"

#include <QString>

namespace orvane {

QString messageTitle(const Message& message);
QString messageText(const Message& message);

} // namespace orvane
