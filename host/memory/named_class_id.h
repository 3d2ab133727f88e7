#pragma once
// Class IDs for plug-in classes that a scene names but the exporter does
// not know: made up from the name, so the same name always gives the same
// ID and different names (practically) never share one.

#include <string>

#include "host/host.h"

namespace korvo {

ClassId NamedClassId(const std::string& class_name);

}  // namespace korvo
