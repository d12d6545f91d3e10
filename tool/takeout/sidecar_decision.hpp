// What a Takeout sidecar's reading means for its file: the time it gets,
// or why it gets none.
#pragma once

#include <string_view>

#include "decide/decision.hpp"
#include "takeout/sidecar_reading.hpp"

// "is not valid JSON", "has no photoTakenTime.timestamp", ...
std::string_view describe(sidecar_fault fault);

// The time a sidecar gives, shifted by the rule's hour shift; a zone does
// not apply to it, as it names one instant. A refusal names the sidecar
// by its path, quoted as a shell would read it.
stamp_decision sidecar_decision(const sidecar_reading& reading, std::string_view sidecar,
                                const time_rule& rule);
