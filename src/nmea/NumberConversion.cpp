#include "nmea/NumberConversion.h"
