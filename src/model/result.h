#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <utility>
#include <variant>

namespace vantrels {

// How a failed operation ends the command that ran it. The command line turns it into its exit
// status; the desktop program shows the message and, for kProgramEnded, quits.
enum class FailureKind {
  // The file, an output or a printer failed (exit status 1).
  kRejected,
  // The request itself is wrong: an option, a page range, an output that is an input (2).
  kUsage,
  // The divided import's wrong-side stop: the program ends after its message (3).
  kProgramEnded,
  // The user cancelled; nothing to show.
  kCancelled,
};

// Why an operation failed: the exact text the user is told, shown once through the message sink
// by whoever ends the command.
struct Failure {
  FailureKind kind = FailureKind::kRejected;
  std::string message;

  bool operator==(const Failure&) const = default;
};

inline Failure Rejected(std::string message) {
  return {FailureKind::kRejected, std::move(message)};
}
inline Failure UsageError(std::string message) {
  return {FailureKind::kUsage, std::move(message)};
}
inline Failure ProgramEnded(std::string message) {
  return {FailureKind::kProgramEnded, std::move(message)};
}

// The one way an expected failure travels, from the import to the command line and the
// windows: a value, or the Failure that took its place. Exceptions are kept for the unexpected.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }

  // The value; calling these on a failure is a programming error (std::logic_error).
  T& value() & { return Checked(), std::get<0>(state_); }
  const T& value() const& { return Checked(), std::get<0>(state_); }
  T&& value() && { return Checked(), std::get<0>(std::move(state_)); }
  T& operator*() & { return value(); }
  const T& operator*() const& { return value(); }
  T&& operator*() && { return std::move(*this).value(); }
  T* operator->() { return &value(); }
  const T* operator->() const { return &value(); }

  // The failure; calling it on a value is a programming error (std::logic_error).
  const Failure& failure() const {
    if (ok()) throw std::logic_error("Result::failure() on a value");
    return std::get<1>(state_);
  }

 private:
  void Checked() const {
    if (!ok()) throw std::logic_error("Result::value() on a failure: " + failure().message);
  }

  std::variant<T, Failure> state_;
};

// An operation that gives nothing but success or its Failure.
template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(Failure failure) : failure_(std::move(failure)) {}

  bool ok() const { return !failure_.has_value(); }
  explicit operator bool() const { return ok(); }
  const Failure& failure() const {
    if (ok()) throw std::logic_error("Result::failure() on success");
    return *failure_;
  }

 private:
  std::optional<Failure> failure_;
};

using Status = Result<void>;

}  // namespace vantrels
