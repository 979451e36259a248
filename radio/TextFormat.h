// The "%s" formatter of the language texts lives with the language lookup; this name is kept
// for the dpmtool files that still include it from here.
#pragma once

#include "app/LangString.h"
