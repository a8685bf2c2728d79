#pragma once
// Runs a piece of work in a forked child process whose address space may grow only so far, and reports how
// far it grew at its peak: a reader that takes hundreds of megabytes fails there, not in the test process.
// The sanitizers reserve terabytes of address space, so in their builds tests leave it uncapped or skip.
// The child's processor time may be capped too, and is reported: work that must stay small is bounded so,
// as other processes on a busy machine slow its wall time but not the processor time it takes.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>

namespace gw::test {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kSanitized = true;
#else
inline constexpr bool kSanitized = false;
#endif
#else
inline constexpr bool kSanitized = false;
#endif

struct ChildRun {
  bool finished = false;  // the child ran the work to its end
  std::string outcome;    // what the work returned
  long peakGrowthKb = 0;  // how far the address space grew beyond its size when the work began
  long cpuMs = 0;         // the child's processor time (user and system), whether it finished or not
};

// A field of /proc/self/status, in kB.
inline long StatusKb(const std::string& field) {
  std::ifstream in("/proc/self/status");
  for (std::string line; std::getline(in, line);)
    if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
  return -1;
}

// The child's peak starts at its size when forked; `limitBytes` (0: none) is how far it may grow, and
// `cpuSeconds` (0: none) how much processor time it may take before it is killed. A child that ends another
// way (a signal, an exception out of memory) has not finished.
inline ChildRun RunInChild(long limitBytes, const std::function<std::string()>& work, int cpuSeconds = 0) {
  int fds[2];
  if (::pipe(fds) != 0) return {};
  std::fflush(nullptr);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    const long start = StatusKb("VmSize");
    if (limitBytes > 0) {
      const rlim_t cap = static_cast<rlim_t>(start) * 1024 + static_cast<rlim_t>(limitBytes);
      const rlimit r{cap, cap};
      ::setrlimit(RLIMIT_AS, &r);
    }
    if (cpuSeconds > 0) {
      const rlimit r{static_cast<rlim_t>(cpuSeconds), static_cast<rlim_t>(cpuSeconds)};  // the hard limit kills
      ::setrlimit(RLIMIT_CPU, &r);
    }
    const std::string outcome = work();
    const std::string report = std::to_string(StatusKb("VmPeak") - start) + " " + outcome;
    (void)!::write(fds[1], report.data(), report.size());
    ::_exit(0);
  }
  ::close(fds[1]);
  std::string report;
  char buffer[256];
  for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) report.append(buffer, static_cast<std::size_t>(n));
  ::close(fds[0]);
  int status = 0;
  rusage usage{};
  ::wait4(pid, &status, 0, &usage);
  ChildRun run;
  run.cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000L +
              (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
  const std::size_t space = report.find(' ');
  if (!WIFEXITED(status) || space == std::string::npos) return run;
  run.finished = true;
  run.peakGrowthKb = std::stol(report.substr(0, space));
  run.outcome = report.substr(space + 1);
  return run;
}

}  // namespace gw::test

#define GW_SKIP_UNDER_SANITIZERS() \
  if (gw::test::kSanitized) GTEST_SKIP() << "address-space limits do not work under the sanitizers"
