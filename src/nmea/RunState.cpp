// SPDX-License-Identifier: BSD-2-Clause
#include "nmea/RunState.h"
