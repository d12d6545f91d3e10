#include "run/trust.hpp"

folder_trust learn_trust(const set_result& probe) {
  switch (probe.fate) {
    case set_fate::set:
    case set_fate::rounded:
      return folder_trust::keeps;
    case set_fate::not_held:
      return folder_trust::checks_each;
    case set_fate::not_restored:
    case set_fate::failed:
      break;
  }
  return folder_trust::unknown;
}
