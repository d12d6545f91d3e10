// The real operating system behind a run: the record of calls filled
// with this platform's functions, and the console its lines go to.
#pragma once

#include "system/output.hpp"
#include "system/system.hpp"

const system_calls& real_system();
const run_output& console_output();
