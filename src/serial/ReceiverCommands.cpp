#include "serial/ReceiverCommands.h"
