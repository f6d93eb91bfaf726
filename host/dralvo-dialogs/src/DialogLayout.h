#pragma once
// What the dialogs' layout files share: the widget layer's placing and
// dialog look.
#include "vcl/DialogLook.h"
#include "vcl/Forms.h"
#include "vcl/Place.h"

namespace dralvo {

using vcl::Place;

}  // namespace dralvo
