#pragma once

#include <QString>

// What every GUI fuzz target sets up once, from LLVMFuzzerInitialize: an offscreen
// QApplication, and a private temporary working directory, because the effects panel
// makes its profiles directory in the working directory.
namespace FuzzApplication {

void start();
// The private working directory; removed when the process exits normally.
QString workingDirectory();

} // namespace FuzzApplication
