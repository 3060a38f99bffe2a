// What the benchmark reports about its own process and the machine it runs
// on: how long ago the process started, its peak resident memory, the CPU,
// the core count and the load.
#pragma once
#include <string>

// Milliseconds since the kernel started this process (exec included), at
// the kernel's clock-tick resolution; negative when it cannot be read.
double millisecondsSinceProcessStart();

// The start time field (clock ticks after boot) of a /proc/<pid>/stat line;
// -1 when the line does not hold one. The command name may hold spaces and
// parentheses, so fields are counted after its last ')'.
long long startTicksFromStat(const std::string& statLine);

// The process's peak resident set size in MiB.
double peakResidentMebibytes();
// The process's resident set size now, in MiB; negative when unknown.
double residentMebibytes();

// The first "model name" of /proc/cpuinfo, or "unknown".
std::string cpuModelName();
// The "model name" value in the text of a cpuinfo file, or "" if none.
std::string modelNameFromCpuinfo(const std::string& cpuinfo);

// Processors online.
int onlineCores();

// The one-minute load average, or -1 when it cannot be read.
double loadAverage();

// CPU seconds the whole machine has been busy (all cores, every process)
// and this process has used, since boot and since it started.
struct CpuUse {
  double machineBusy = 0.0;
  double process = 0.0;
};
CpuUse cpuUseNow();

// Busy clock ticks (user, nice, system, irq, softirq, steal) of the first
// "cpu " line of /proc/stat text; -1 when there is none.
long long busyTicksFromProcStat(const std::string& stat);

// The share (0 to 1) of all cores that other processes kept busy between two
// readings taken wallSeconds apart; 0 when nothing can be said.
double othersShare(const CpuUse& before, const CpuUse& after, double wallSeconds, int cores);
