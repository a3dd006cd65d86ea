#include "platform/qt/QtTimer.h"
