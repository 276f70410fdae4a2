#include "platform/embedded/DemoDataGenerator.h"
