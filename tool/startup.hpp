// What each platform sets up before the run.
#pragma once

// Called first in main.
void start_up();
