#include "nmea/FixTimer.h"
