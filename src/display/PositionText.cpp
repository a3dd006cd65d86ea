#include "display/PositionText.h"
