#include "serial/PortOpening.h"
