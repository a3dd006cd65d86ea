#include "nmea/RunState.h"
