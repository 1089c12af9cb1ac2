// Start-up of the client: the application object, the six windows created
// once in their order, and the event loop until the main window closes.
#pragma once

namespace izleme {

int runApplication(int argc, char** argv);

}  // namespace izleme
