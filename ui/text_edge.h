#pragma once

// The conversions live in the Qt edge library; this name stays only for the windows that still
// include it.
#include "qtedge/cp1252_text.h"
