#include "nmea/GsvParser.h"
