// The name as a time source: the date and time written in it, read as the
// command line says (the base form, --auto or --format, with the cuts).
#pragma once

#include "sources/chain.hpp"

extern const time_source name_source;
