// The five platform operations the product uses: one message box and four
// registry calls, under their Windows names and signatures.
//
// On Windows they come from <windows.h>. Elsewhere they are declared by our
// own small layer (standin/api.h) and implemented by the stand-in that the
// host tests drive.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include "platform/standin/api.h"
#endif
