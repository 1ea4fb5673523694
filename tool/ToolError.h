// Errors a user can cause, each with its exit status, caught once in main().
#pragma once

#include <stdexcept>
#include <string>

namespace quibtool {

enum ExitStatus : int {
  kExitOk = 0,
  kExitUsage = 1,        // bad command line
  kExitInputFile = 2,    // an input file is missing or cannot be read
  kExitBadDocument = 3,  // malformed JSON or XML, or a document the host cannot hold
  kExitBadSettings = 4,  // unknown field or preset, value out of range, bad record
  kExitModule = 5,       // the module could not be loaded or reported an error
  kExitOutput = 6,       // an output could not be written
  kExitDraws = 7,        // the scripted random draws ran out
};

class ToolError : public std::runtime_error {
 public:
  ToolError(int status, const std::string& message)
      : std::runtime_error(message), status_(status) {}
  int status() const { return status_; }

 private:
  int status_;
};

}  // namespace quibtool
