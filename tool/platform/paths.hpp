// Between the tool's text (bytes on Linux, UTF-8 on Windows) and the
// standard library's paths.
#pragma once

#include <filesystem>
#include <string>

std::filesystem::path to_path(const std::string& text);
std::string from_path(const std::filesystem::path& path);

// The characters that part folders in a path: "/", and on Windows "\" too.
const char* path_separators();
