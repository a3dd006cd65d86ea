#include "platform/qt/QtMessageBox.h"
