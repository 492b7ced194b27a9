// The steps a stand-in player runs, from its setup: the text "verb n n; verb; ..." read into a
// list, against the player's own table of verbs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace standin {

struct StepVerb {
  const char* name;
  size_t fewestNumbers;
  size_t mostNumbers;
};

struct Step {
  std::string verb;
  std::vector<int32_t> numbers;
};

// False with a reason for a verb not in the table, a wrong count of numbers or a word that is
// no decimal number.
bool ParseSteps(const std::string& text, std::span<const StepVerb> verbs, std::vector<Step>* steps,
                std::string* error);

}  // namespace standin
