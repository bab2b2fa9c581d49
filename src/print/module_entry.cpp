#include "print/print_dialogs.h"
#include "print/print_module.h"

extern "C" __attribute__((visibility("default"))) const orvane::PrintModule* orvanePrintModule()
{
    static const orvane::PrintModule module{&orvane::layoutPages, &orvane::writePdf, &orvane::printPages,
                                            &orvane::printWithDialog, &orvane::preview};
    return &module;
}
