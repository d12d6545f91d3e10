// What kind of file system a folder is on.
#pragma once

#include <string>

// Whether every call on the folder's file system is likely a round trip
// over a network or to another process: NFS, SMB/CIFS, FUSE and the like
// (Windows: a remote drive or a UNC path). What it is called, for a message.
bool is_remote_file_system(const char* folder, std::string& kind);
