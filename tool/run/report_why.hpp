// Why a file was left alone, in the words a run says it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "run/run_state.hpp"

// "cannot read a date from 'P'" or "cannot set the time of 'P'", with the
// text read where one was, and why.
std::string refusal_text(const stamp_job& job, std::string_view why,
                         const std::optional<std::string>& read = std::nullopt);

// Why a time that was tried was not set: what the file system kept, or
// the error.
std::string why_not_set(const run_state& run, const stamp_job& job);

// What an entry is now, in words: "a link", "a folder", ...
std::string_view kind_word(int kind);

// Why a link another user planted is not followed.
std::string foreign_link_text(const file_facts& link);
