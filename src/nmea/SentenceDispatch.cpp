#include "nmea/SentenceDispatch.h"
