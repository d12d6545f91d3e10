// Start-up of the Windows build: the runtime hands main the arguments as
// typed. Without this, MinGW's runtime would expand "*" and "?" itself.
extern "C" {
int _dowildcard = 0;
}
