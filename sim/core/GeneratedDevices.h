// A large plant for load tests: generated devices added to the demo account,
// mostly compensation relays with some over-current relays and meters, fifty
// to a group.
#pragma once

#include "sim/core/Scenario.h"

namespace izleme::sim {

// Adds `count` devices to the scenario and lists them, after its own devices,
// in the account of user "demo" (created with password "demo" when the
// scenario has none). Serials are free seven-digit numbers from 2000000 on;
// every tenth device from the first is an over-current relay (KLM200), every
// tenth from the sixth a meter (ZDN100), the rest compensation relays
// (KRT100). The same count gives the same devices.
void addGeneratedDevices(Scenario& scenario, int count);

}  // namespace izleme::sim
