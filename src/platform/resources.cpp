#include "platform/resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE must stand outside any namespace.
static void initOrvaneResources()
{
    Q_INIT_RESOURCE(orvane);
    Q_INIT_RESOURCE(orvane_icons);
    Q_INIT_RESOURCE(orvane_i18n);
}

namespace orvane {

void registerResources()
{
    static const bool registered = [] {
        initOrvaneResources();
        return true;
    }();
    Q_UNUSED(registered);
}

} // namespace orvane
