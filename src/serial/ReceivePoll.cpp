#include "serial/ReceivePoll.h"
