#pragma once
// Event numbering (a type 0..10 and a sub-number) and the fixed English texts
// under which events and keys are shown in the object editor and the object
// information report.

#include <functional>
#include <string>

#include "resources/event_types.h"

namespace kestrin {

// The name of the object with an index, for collision events; the object list
// gives "<undefined>" for an index that names no object. Without a lookup
// every index reads "<undefined>".
using ObjectNameLookup = std::function<std::string(int index)>;

std::string KeyName(int keyCode);
std::string MouseEventName(int number);
std::string OtherEventName(int number);
std::string StepPrefix(int subNumber);

// The long caption (event list hint, report heading) and the short name
// (event list line).
std::string EventCaption(int type, int subNumber, const ObjectNameLookup& objectName = {});
std::string EventShortName(int type, int subNumber, const ObjectNameLookup& objectName = {});

}  // namespace kestrin
