#include "players/shared/Steps.h"

#include <cstdlib>
#include <sstream>

namespace standin {
namespace {

const StepVerb* FindVerb(std::span<const StepVerb> verbs, const std::string& name) {
  for (const StepVerb& verb : verbs) {
    if (name == verb.name) return &verb;
  }
  return nullptr;
}

bool ParseNumber(const std::string& word, int32_t* number) {
  char* end = nullptr;
  const long value = std::strtol(word.c_str(), &end, 10);
  *number = int32_t(value);
  return !word.empty() && *end == 0;
}

bool ParseStep(const std::string& text, std::span<const StepVerb> verbs, Step* step,
               std::string* error) {
  std::istringstream words(text);
  words >> step->verb;
  const StepVerb* verb = FindVerb(verbs, step->verb);
  if (verb == nullptr) {
    *error = "unknown step '" + step->verb + "'";
    return false;
  }
  for (std::string word; words >> word;) {
    int32_t number = 0;
    if (!ParseNumber(word, &number)) {
      *error = "'" + word + "' is no number in '" + text + "'";
      return false;
    }
    step->numbers.push_back(number);
  }
  if (step->numbers.size() < verb->fewestNumbers || step->numbers.size() > verb->mostNumbers) {
    *error = "wrong count of numbers in '" + text + "'";
    return false;
  }
  return true;
}

bool IsBlank(const std::string& text) {
  return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

}  // namespace

bool ParseSteps(const std::string& text, std::span<const StepVerb> verbs, std::vector<Step>* steps,
                std::string* error) {
  std::istringstream parts(text);
  for (std::string part; std::getline(parts, part, ';');) {
    if (IsBlank(part)) continue;
    Step step;
    if (!ParseStep(part, verbs, &step, error)) return false;
    steps->push_back(std::move(step));
  }
  return true;
}

}  // namespace standin
