#include "platform/standard_streams.h"

// Nothing to keep: the standard handles are handles, not the lowest free
// numbers, so nothing opened later can take the place of a missing one.
void ReserveStandardStreams() {}
