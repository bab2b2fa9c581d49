#pragma once
// The print dialog and the preview, inside the print module.

#include "print/print_module.h"

namespace orvane {

void printWithDialog(const PrintRequest& request);
void preview(const PrintRequest& request);

} // namespace orvane
