#include "nmea/Checksum.h"
