#pragma once

class simBus;

// With KVORBIT_SIMULATED_CONTROLLER=1 in the environment: installs a simulated
// bus with one controller as the program's USB bus and returns true.
// Otherwise changes nothing and returns false.
bool installSimulatedBusFromEnvironment();

// The bus installed by installSimulatedBusFromEnvironment(), null before.
simBus* environmentSimulatedBus();
