// Makes the component creatable by class id as soon as the library loads.
#include "projectdb/ProjectDatabase.h"

namespace {
const bool gRegistered = (registerProjectDatabaseClass(), true);
}
