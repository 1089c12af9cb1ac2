// Connects the first road of the client: the server connection's reply slots
// to the device list and the register replies, the instantaneous values page
// to the register display refresh, and the keep-alive to the ping timer.
#pragma once

namespace izleme {

struct Forms;

// Called once, at the end of creating the six windows.
void wireFirstRoad(const Forms& forms);

}  // namespace izleme
