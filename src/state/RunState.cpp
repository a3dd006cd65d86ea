// SPDX-License-Identifier: BSD-2-Clause
#include "state/RunState.h"
