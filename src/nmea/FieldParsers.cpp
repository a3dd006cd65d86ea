#include "nmea/FieldParsers.h"
