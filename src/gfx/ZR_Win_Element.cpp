#include "gfx/ZR_Win_Element.h"

#include "gfx/ZR_Win.h"

ZR_Win_Element::~ZR_Win_Element() { ZR_Win::attach(nullptr, this); }
