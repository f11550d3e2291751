#pragma once
#include "ZR_encode.h"

/// Level-meter index pictures: each segment pixel carries its meter number in the blue byte and
/// its segment number in the red byte (green 0, opaque). Pixels of no segment are transparent and
/// carry blue 255, which names no meter, so they never join a meter's segment 0.
namespace Meters {

/// Eight vertical meters of 44 one-pixel segments (41 x 89): meter k from the left, segment 0 at
/// the bottom.
ZR_Pixels vertical();
/// Two horizontal meters of 30 two-pixel segments (91 x 17): meter 0 above meter 1, segment 0 at
/// the left.
ZR_Pixels horizontal();

}  // namespace Meters
