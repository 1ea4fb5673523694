// Placeholder until the simulated host's core lands.
#include "simhost/SimHost.h"
