#include "platform/embedded/PayslipBuilder.h"
