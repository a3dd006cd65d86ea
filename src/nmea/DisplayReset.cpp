#include "nmea/DisplayReset.h"
