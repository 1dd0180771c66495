#include "link/status_frame.h"
