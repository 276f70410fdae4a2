#pragma once

// Both windows place their controls in twips.
#include "common/TwipRect.h"
