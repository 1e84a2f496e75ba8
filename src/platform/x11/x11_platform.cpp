// Placeholder: filled in with the X11 implementation.
#include "platform/platform.h"
