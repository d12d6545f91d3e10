// Between the tool's text (bytes on Linux, UTF-8 on Windows) and the
// standard library's paths.
#pragma once

#include <filesystem>
#include <string>

std::filesystem::path to_path(const std::string& text);
std::string from_path(const std::filesystem::path& path);
