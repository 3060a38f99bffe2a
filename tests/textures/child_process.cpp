#include "tests/textures/child_process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

ChildOutcome runInChild(const std::function<void()>& body) {
  ChildOutcome outcome;
  std::fflush(stdout);
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return outcome;
  const pid_t child = fork();
  if (child == 0) {
    close(pipeEnds[0]);
    dup2(pipeEnds[1], STDOUT_FILENO);
    close(pipeEnds[1]);
    body();
    std::fflush(stdout);
    _exit(returnedNormally);
  }
  close(pipeEnds[1]);
  char buffer[4096];
  ssize_t got;
  while ((got = read(pipeEnds[0], buffer, sizeof buffer)) > 0) outcome.printed.append(buffer, got);
  close(pipeEnds[0]);
  int status = 0;
  if (child > 0 && waitpid(child, &status, 0) == child && WIFEXITED(status)) {
    outcome.exited = true;
    outcome.status = WEXITSTATUS(status);
  }
  return outcome;
}
