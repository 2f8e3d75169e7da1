// glimmer_trayprobe: starts a tray program under a watching eye and reports what
// its tray slot and /proc saw, as "key=value" lines on standard output.
//
// Usage: glimmer_trayprobe [--settle S] [--measure S] [--sample S] [--timeout S]
//                          -- PROGRAM [ARGUMENTS...]
//
//   first_frame_ms  from the fork of the program to the first paint of its icon
//                   window that shows a picture (the X server's view)
//   first_frame_cpu_ms  processor time the program had used by then
//   docked_ms       from the fork to the icon window's move into the tray's panel
//                   (before the first picture, or at the same moment)
//   paints          paints of the icon window during the measured window
//   cpu_s           processor seconds of the program during the measured window
//   hwm_kb, rss_*   peak and current resident memory
//   timeslices      times the program's threads were put on a processor during the
//                   measured window: its wake-ups, and its returns after preemptions
//   machine_busy    the whole machine's busy share (0 to 1, all cores together)
//                   during the measured window, from /proc/stat: the program's own
//                   share and everything else that ran
//
// The measured window starts `settle` seconds after the first picture and lasts
// `measure` seconds; then the program is ended with SIGTERM. The program's own
// output goes to this probe's standard error.

#include "IconWatcher.h"
#include "ProcStats.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace glimmer::bench;

namespace {

struct Options {
    double settle = 2;
    double measure = 20;
    double sample = 0; ///< seconds between "sample=" lines; 0 for none
    double timeout = 30;
    char** program = nullptr;
};

std::optional<Options> parse(int argc, char* argv[])
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        if (word == "--") {
            if (i + 1 >= argc)
                return std::nullopt;
            options.program = argv + i + 1;
            return options;
        }
        if (i + 1 >= argc)
            return std::nullopt;
        const double value = std::atof(argv[++i]);
        if (word == "--settle")
            options.settle = value;
        else if (word == "--measure")
            options.measure = value;
        else if (word == "--sample")
            options.sample = value;
        else if (word == "--timeout")
            options.timeout = value;
        else
            return std::nullopt;
    }
    return std::nullopt;
}

Clock::duration seconds(double value)
{
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(value));
}

double secondsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

pid_t spawn(char** program)
{
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(STDERR_FILENO, STDOUT_FILENO); // keep this probe's report apart
        execvp(program[0], program);
        std::perror(program[0]);
        _exit(127);
    }
    return pid;
}

/// "running", or how the program ended; reaps it when it has.
std::string statusOf(pid_t pid)
{
    int status = 0;
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == 0)
        return "running";
    if (done < 0)
        return "gone";
    if (WIFSIGNALED(status))
        return "signal:" + std::to_string(WTERMSIG(status));
    return "exited:" + std::to_string(WEXITSTATUS(status));
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 300; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) != 0)
            return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

/// Runs the watcher until `deadline`, in steps short enough to notice an ending
/// program; false when it has ended.
bool watch(IconWatcher& watcher, pid_t pid, Clock::time_point deadline, std::string& ended)
{
    while (Clock::now() < deadline) {
        watcher.waitUntil(std::min(deadline, Clock::now() + std::chrono::milliseconds(100)));
        if (!watcher.error().empty()) {
            ended = watcher.error();
            return false;
        }
        const std::string status = statusOf(pid);
        if (status != "running") {
            ended = status;
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    const auto options = parse(argc, argv);
    if (!options) {
        std::fputs("usage: glimmer_trayprobe [--settle S] [--measure S] [--sample S] "
                   "[--timeout S] -- PROGRAM [ARGUMENTS...]\n",
                   stderr);
        return 2;
    }
    IconWatcher watcher;
    if (!watcher.error().empty()) {
        std::printf("error=%s\n", watcher.error().c_str());
        return 1;
    }

    const Clock::time_point started = Clock::now();
    const pid_t pid = spawn(options->program);
    if (pid < 0) {
        std::printf("error=cannot start the program\n");
        return 1;
    }
    watcher.follow(pid);
    std::printf("pid=%d\n", static_cast<int>(pid));
    std::fflush(stdout);

    std::string ended;
    const Clock::time_point giveUp = started + seconds(options->timeout);
    while (!watcher.firstPicture() && Clock::now() < giveUp) {
        if (!watch(watcher, pid, std::min(giveUp, Clock::now() + std::chrono::milliseconds(100)),
                   ended))
            break;
    }
    if (!watcher.firstPicture()) {
        std::printf("error=%s\nstatus=%s\n",
                    watcher.iconFound() ? "the icon never showed a picture" : "no icon in a tray",
                    ended.empty() ? "running" : ended.c_str());
        if (ended.empty())
            stop(pid);
        return 1;
    }
    const Clock::time_point first = *watcher.firstPicture();
    std::printf("first_frame_ms=%.1f\nslot=%dx%d\n", secondsBetween(started, first) * 1000,
                watcher.width(), watcher.height());
    if (const auto docked = watcher.docked())
        std::printf("docked_ms=%.1f\n", secondsBetween(started, *docked) * 1000);
    // The processor time it took to get there (a few milliseconds late at most).
    if (const auto atFirst = sampleProcess(pid))
        std::printf("first_frame_cpu_ms=%.1f\n", atFirst->cpuSeconds * 1000);
    std::fflush(stdout);

    bool running = watch(watcher, pid, first + seconds(options->settle), ended);
    const auto before = sampleProcess(pid);
    const auto machineBefore = sampleMachine();
    const long paintsBefore = watcher.paints();
    const Clock::time_point from = Clock::now();
    const Clock::time_point until = from + seconds(options->measure);
    if (running && before)
        std::printf("rss_start_kb=%ld\n", before->rssKb);

    Clock::time_point nextSample = from + seconds(options->sample);
    while (running && Clock::now() < until) {
        const Clock::time_point step = options->sample > 0 ? std::min(until, nextSample) : until;
        running = watch(watcher, pid, step, ended);
        if (running && options->sample > 0 && Clock::now() >= nextSample) {
            if (const auto now = sampleProcess(pid))
                std::printf("sample=%.0f %ld %.3f\n", secondsBetween(from, Clock::now()),
                            now->rssKb, now->cpuSeconds - before->cpuSeconds);
            std::fflush(stdout);
            nextSample += seconds(options->sample);
        }
    }
    const auto after = sampleProcess(pid);
    const auto machineAfter = sampleMachine();
    const long paints = watcher.paints() - paintsBefore;
    const double measured = secondsBetween(from, Clock::now());
    if (!running || !before || !after) {
        std::printf("error=the program ended during the measurement\nstatus=%s\n", ended.c_str());
        return 1;
    }
    std::printf("measure_s=%.3f\npaints=%ld\nfps=%.2f\ncpu_s=%.4f\ncpu_stat_s=%.2f\n"
                "hwm_kb=%ld\nrss_end_kb=%ld\nstatus=running\n",
                measured, paints, static_cast<double>(paints) / measured,
                after->cpuSeconds - before->cpuSeconds,
                after->cpuTickSeconds - before->cpuTickSeconds, after->hwmKb, after->rssKb);
    std::printf("timeslices=%lld\n", after->timeslices - before->timeslices);
    if (machineBefore && machineAfter) {
        if (const auto busy = busyShare(*machineBefore, *machineAfter))
            std::printf("machine_busy=%.4f\n", *busy);
    }
    std::fflush(stdout);
    stop(pid);
    return 0;
}
