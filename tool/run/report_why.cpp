#include "run/report_why.hpp"

#include "names/quoting.hpp"
#include "run/report.hpp"

std::string refusal_text(const stamp_job& job, std::string_view why,
                         const std::optional<std::string>& read) {
  const bool no_date = outcome_of(job) == outcome::no_date;
  std::string message(no_date ? "cannot read a date from " : "cannot set the time of ");
  message.append(in_quotes(job.path));
  if (read) message.append(" (read ").append(in_quotes(*read)).append(")");
  return message.append(": ").append(why);
}

std::string why_not_set(const run_state& run, const stamp_job& job) {
  const file_time t = run.system.precision(*job.answer.decision.time);
  const set_result& result = job.result;
  switch (result.fate) {
    case set_fate::not_held:
      if (result.now && *result.now != t) {
        return "the file system cannot hold " + format_utc(t) + " (it kept " +
               format_utc(*result.now) + "); its time is unchanged";
      }
      return "the file system cannot hold " + format_utc(t) + "; its time is unchanged";
    case set_fate::not_restored:
      return "the file system cannot hold " + format_utc(t) +
             (result.now ? "; its time is now " + format_utc(*result.now)
                         : "; its old time could not be put back");
    case set_fate::failed:
      if (result.error == run.system.folder_error) return "it is a folder";
      if (result.error == run.system.foreign_link_error) {
        return "it is now a link that another user owns, to a file not theirs; velmora follows "
               "a link only when you, or the owner of what it leads to, own it";
      }
      if (result.now) {  // made all the same: the journal's record undoes it
        return run.system.error_text(result.error) + "; it now has " + format_utc(*result.now);
      }
      return run.system.error_text(result.error);
    case set_fate::set:
    case set_fate::rounded:
      break;
  }
  return {};
}

std::string_view kind_word(int kind) {
  switch (kind) {
    case kind_link:
      return "a link";
    case kind_directory:
      return "a folder";
    case kind_regular:
      return "another file";
    default:
      return "no file";
  }
}

std::string foreign_link_text(const file_facts& link) {
  return "it is a link that user " + std::to_string(link.owner) + " owns, to a file of user " +
         std::to_string(link.target_owner) +
         "; velmora follows a link only when you, or the owner of what it leads to, own it";
}
