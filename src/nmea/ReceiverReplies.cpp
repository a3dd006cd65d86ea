#include "nmea/ReceiverReplies.h"
