// Creates the pages of the main window, one line each, and the parts of the
// client that connect the shell, the connection and the pages.
#pragma once

namespace izleme {

struct Forms;

void createPages(const Forms& forms);

}  // namespace izleme
