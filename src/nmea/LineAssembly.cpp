#include "nmea/LineAssembly.h"
