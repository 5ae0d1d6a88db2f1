// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What every GUI fuzz target sets up once, from LLVMFuzzerInitialize: an offscreen
// QApplication, and a private temporary working directory, because the effects panel
// makes its profiles directory in the working directory.
namespace FuzzApplication {

// libFuzzer reads its arguments after LLVMFuzzerInitialize, so relative corpus and
// artifact paths would end up in the temporary directory: they are made absolute against
// the directory the fuzzer was started in, and crash artifacts go there by default.
void start(int *argc, char ***argv);
// The private working directory; removed at exit and when a check fails.
QString workingDirectory();

} // namespace FuzzApplication
