#include "display/RmcDisplay.h"
