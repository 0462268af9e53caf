// Functions whose implementation has not been built yet: they answer nil.
#include "ads/ads.h"
#include "integration/ModuleFunctions.h"
