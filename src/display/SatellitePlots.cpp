#include "display/SatellitePlots.h"
