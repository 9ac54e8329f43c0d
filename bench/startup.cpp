// Times whole runs of the real program, started, shown, driven and closed the way a user
// does, against a bare window built with the same toolkit; prints medians and ratios.
//
//   bench_startup [--runs N] [--mode startup|about|help]
//
// The platform is whatever QT_QPA_PLATFORM (and DISPLAY) say: scripts/bench.sh runs it on
// the headless platform and on a virtual X screen.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <map>
#include <csignal>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace {

long long now()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec;
}

struct Run
{
    long long start = 0;
    long long exit = 0;
    long maxRssKb = 0;
    int status = -1;
    std::map<std::string, long long> events;

    std::optional<double> ms(const std::string &from, const std::string &to) const
    {
        const long long a = from == "spawn" ? start : (from == "exit" ? exit : at(from));
        const long long b = to == "spawn" ? start : (to == "exit" ? exit : at(to));
        if (a < 0 || b < 0) {
            return std::nullopt;
        }
        return double(b - a) / 1e6;
    }

private:
    long long at(const std::string &event) const
    {
        const auto it = events.find(event);
        return it == events.end() ? -1 : it->second;
    }
};

Run runOnce(const std::string &program, const std::string &mode)
{
    std::vector<std::string> env;
    for (char **e = environ; *e != nullptr; ++e) {
        env.emplace_back(*e);
    }
    env.emplace_back("QT_QPA_GENERIC_PLUGINS=benchprobe");
    env.emplace_back(std::string("QT_PLUGIN_PATH=") + KELMO_PLUGIN_DIR);
    env.emplace_back("BENCHPROBE_MODE=" + mode);
    std::vector<char *> envp;
    envp.reserve(env.size() + 1);
    for (std::string &s : env) {
        envp.push_back(s.data());
    }
    envp.push_back(nullptr);

    int fds[2];
    if (pipe(fds) != 0) {
        std::perror("pipe");
        std::exit(2);
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDERR_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::string path = program;
    char *argv[] = {path.data(), nullptr};

    Run run;
    pid_t pid = 0;
    run.start = now();
    if (posix_spawn(&pid, path.c_str(), &actions, nullptr, argv, envp.data()) != 0) {
        std::perror(path.c_str());
        std::exit(2);
    }
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);

    std::string output;
    char buffer[4096];
    const long long deadline = run.start + 60LL * 1000000000LL;
    for (;;) {
        pollfd p{fds[0], POLLIN, 0};
        const int left = int(std::max(0LL, (deadline - now()) / 1000000LL));
        if (poll(&p, 1, left) <= 0) {
            std::fprintf(stderr, "%s: no end within 60 s, killed\n", path.c_str());
            kill(pid, SIGKILL);
            break;
        }
        const ssize_t n = read(fds[0], buffer, sizeof buffer);
        if (n <= 0) {
            break;
        }
        output.append(buffer, std::size_t(n));
    }
    close(fds[0]);
    rusage usage{};
    wait4(pid, &run.status, 0, &usage);
    run.exit = now();
    run.maxRssKb = usage.ru_maxrss;

    std::size_t pos = 0;
    while (pos < output.size()) {
        const std::size_t end = output.find('\n', pos);
        const std::string line = output.substr(pos, end == std::string::npos ? end : end - pos);
        pos = end == std::string::npos ? output.size() : end + 1;
        char event[64];
        long long ns = 0;
        if (std::sscanf(line.c_str(), "benchprobe %63s %lld", event, &ns) == 2) {
            run.events[event] = ns;
        }
    }
    return run;
}

double median(std::vector<double> v)
{
    if (v.empty()) {
        return 0;
    }
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Series
{
    explicit Series(std::string n) : name(std::move(n)) {}
    std::string name;
    std::vector<double> values;
    void add(std::optional<double> v)
    {
        if (v) {
            values.push_back(*v);
        }
    }
    void print(const char *unit) const
    {
        if (values.empty()) {
            std::printf("  %-34s (no data)\n", name.c_str());
            return;
        }
        const auto [lo, hi] = std::minmax_element(values.begin(), values.end());
        std::printf("  %-34s median %9.2f %s   min %9.2f   max %9.2f   (n=%zu)\n", name.c_str(),
                    median(values), unit, *lo, *hi, values.size());
    }
};

} // namespace

int main(int argc, char **argv)
{
    int runs = 20;
    std::string mode = "startup";
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--runs") == 0) {
            runs = std::max(1, std::atoi(argv[i + 1]));
        } else if (std::strcmp(argv[i], "--mode") == 0) {
            mode = argv[i + 1];
        }
    }
    const std::string kelmo = std::string(KELMO_BIN_DIR) + "/KELMO";
    const std::string bare = std::string(KELMO_BIN_DIR) + "/bench_bare_window";
    const char *platform = std::getenv("QT_QPA_PLATFORM");
    std::printf("mode %s, platform %s, %d runs each\n", mode.c_str(),
                platform ? platform : "(default)", runs);

    // One run of each first, not counted: it warms the file cache for both alike.
    runOnce(kelmo, mode);
    if (mode == "startup") {
        runOnce(bare, mode);
    }

    Series kFrame{"KELMO spawn -> first frame"}, bFrame{"bare  spawn -> first frame"};
    Series kWhole{"KELMO spawn -> exit"}, bWhole{"bare  spawn -> exit"};
    Series kClose{"KELMO close -> exit"}, bClose{"bare  close -> exit"};
    Series kRss{"KELMO peak RSS"}, bRss{"bare  peak RSS"};
    Series aOpen{"About command -> dialog first frame"},
        aBack{"About close -> back in main window"};
    Series hOpen{"Help command -> help first frame"}, hClose{"close -> exit (with close-all)"};
    int failures = 0;

    for (int i = 0; i < runs; ++i) {
        const Run k = runOnce(kelmo, mode);
        failures += !(WIFEXITED(k.status) && WEXITSTATUS(k.status) == 0);
        kFrame.add(k.ms("spawn", "first-frame"));
        kWhole.add(k.ms("spawn", "exit"));
        kClose.add(k.ms("close", "exit"));
        kRss.add(double(k.maxRssKb) / 1024.0);
        aOpen.add(k.ms("command", "about-frame"));
        aBack.add(k.ms("about-frame", "about-back"));
        hOpen.add(k.ms("command", "help-frame"));
        hClose.add(k.ms("close", "exit"));
        if (mode == "startup") {
            const Run b = runOnce(bare, mode);
            failures += !(WIFEXITED(b.status) && WEXITSTATUS(b.status) == 0);
            bFrame.add(b.ms("spawn", "first-frame"));
            bWhole.add(b.ms("spawn", "exit"));
            bClose.add(b.ms("close", "exit"));
            bRss.add(double(b.maxRssKb) / 1024.0);
        }
    }

    if (mode == "startup") {
        for (const Series *s : {&kFrame, &bFrame, &kWhole, &bWhole, &kClose, &bClose}) {
            s->print("ms");
        }
        kRss.print("MiB");
        bRss.print("MiB");
        std::printf("  ratio first frame  KELMO/bare: %.3f\n",
                    median(kFrame.values) / median(bFrame.values));
        std::printf("  ratio whole run    KELMO/bare: %.3f\n",
                    median(kWhole.values) / median(bWhole.values));
        std::printf("  ratio peak RSS     KELMO/bare: %.3f\n",
                    median(kRss.values) / median(bRss.values));
    } else if (mode == "about") {
        aOpen.print("ms");
        aBack.print("ms");
        kRss.print("MiB");
    } else if (mode == "help") {
        hOpen.print("ms");
        hClose.print("ms");
        kRss.print("MiB");
    }
    if (failures > 0) {
        std::printf("  %d run(s) did not end with exit code 0\n", failures);
    }
    return failures > 0 ? 1 : 0;
}
