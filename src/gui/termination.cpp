#include "gui/termination.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <stdexcept>
#include <utility>

#include "model/output_file.h"

namespace vantrels {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The self-pipe: the handler writes a byte, the event loop reads it.
int wake_read = -1;
std::atomic<int> wake_write{-1};
std::atomic<int> outputs_being_written{0};

void OnTerminationSignal(int signal) {
  const int saved_errno = errno;
  if (outputs_being_written.load() > 0) {
    // vantrels-book's handler removes the temporary files and ends the process by this signal,
    // which stays pending until this handler returns.
    RemoveTemporaryOutputsOnSignals();
    ::raise(signal);
  } else if (const int fd = wake_write.load(); fd >= 0) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(fd, &byte, 1);
  }
  errno = saved_errno;
}

void Handle(void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (const int signal : kSignals) ::sigaction(signal, &action, nullptr);
}

}  // namespace

TerminationSignals::TerminationSignals() {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) throw std::runtime_error("no pipe for signals");
  wake_read = fds[0];
  wake_write = fds[1];
  Handle(OnTerminationSignal);
}

TerminationSignals::~TerminationSignals() {
  Handle(SIG_DFL);
  notifier_.reset();
  ::close(wake_write.exchange(-1));
  ::close(wake_read);
  wake_read = -1;
}

void TerminationSignals::EndProgramWith(std::function<void()> end_program) {
  end_program_ = std::move(end_program);
  notifier_ = std::make_unique<QSocketNotifier>(wake_read, QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Drain(); });
}

void TerminationSignals::Drain() {
  char bytes[16];
  bool signalled = false;
  while (::read(wake_read, bytes, sizeof bytes) > 0) signalled = true;
  if (signalled && end_program_) end_program_();
}

OutputBeingWritten::OutputBeingWritten() {
  ++outputs_being_written;
}

OutputBeingWritten::~OutputBeingWritten() {
  --outputs_being_written;
}

bool OutputBeingWritten::Any() {
  return outputs_being_written.load() > 0;
}

}  // namespace vantrels
