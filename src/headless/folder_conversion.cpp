#include "headless/folder_conversion.h"

#include "platform/messages.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <set>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace orvane {

namespace {
namespace fs = std::filesystem;

struct Job {
    fs::path input, output;
    std::string inputName, outputName;  // below DIR and OUTDIR
};

std::string lower(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return s;
}

bool isDocument(const fs::path& p)
{
    static const std::set<std::string> kinds = {".tam", ".txt", ".docx", ".odt", ".rtf"};
    return kinds.count(lower(p.extension().string())) > 0;
}

// A name fit for a line of the report: no tab or line end, no escape to a terminal.
std::string cell(const std::string& s)
{
    std::string out = printableName(s);
    std::replace_if(out.begin(), out.end(), [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return out;
}

// Every document under dir (OUTDIR left out, where it lies inside), in the order of their
// names, each with the name it is written under in outdir: a .tam's Unicode text is a .txt
// and a .txt's Bamini a .tam, unless such a file is there to convert too.
std::vector<Job> jobsOf(const fs::path& dir, const fs::path& outdir, bool toUnicode, std::string& error)
{
    std::vector<Job> jobs;
    std::error_code ec;
    const fs::path skip = fs::weakly_canonical(outdir, ec);
    std::set<fs::path> inputs;
    fs::recursive_directory_iterator it(dir, fs::directory_options::skip_permission_denied, ec), end;
    if (ec) {
        error = ec.message();
        return {};
    }
    for (; it != end; it.increment(ec)) {
        if (ec) {
            error = ec.message();
            return {};
        }
        std::error_code kindError;
        if (it->is_directory(kindError) && fs::weakly_canonical(it->path(), kindError) == skip) {
            it.disable_recursion_pending();
            continue;
        }
        if (it->is_regular_file(kindError) && isDocument(it->path()))
            inputs.insert(it->path());
    }
    for (const fs::path& input : inputs) {
        const fs::path relative = input.lexically_relative(dir);
        fs::path out = relative;
        const std::string ext = lower(input.extension().string());
        const char* renamed = toUnicode && ext == ".tam" ? ".txt" : !toUnicode && ext == ".txt" ? ".tam" : nullptr;
        if (renamed) {
            fs::path sibling = input;
            sibling.replace_extension(renamed);
            if (inputs.count(sibling))
                out += renamed;  // letter.tam.txt beside letter.txt's own
            else
                out.replace_extension(renamed);
        }
        jobs.push_back({input, outdir / out, relative.string(), out.string()});
    }
    return jobs;
}

volatile std::sig_atomic_t stopAsked = 0;
void askStop(int) { stopAsked = 1; }

// What a finished conversion wrote on standard error: its lines, "orvane: " taken off.
std::vector<std::string> linesOf(int fd)
{
    std::string text;
    char buffer[4096];
    ::lseek(fd, 0, SEEK_SET);
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0 && text.size() < (1 << 16);)
        text.append(buffer, std::size_t(n));
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < text.size();) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(at, end - at);
        if (line.starts_with("orvane: "))
            line.erase(0, 8);
        if (!line.empty())
            lines.push_back(line);
        at = end + 1;
    }
    return lines;
}

bool sameBytes(const fs::path& a, const fs::path& b)
{
    std::error_code ec;
    if (fs::file_size(a, ec) != fs::file_size(b, ec) || ec)
        return false;
    FILE* fa = std::fopen(a.c_str(), "rb");
    FILE* fb = std::fopen(b.c_str(), "rb");
    bool same = fa && fb;
    char x[1 << 16], y[1 << 16];
    while (same) {
        const std::size_t n = std::fread(x, 1, sizeof x, fa);
        same = std::fread(y, 1, sizeof y, fb) == n && std::memcmp(x, y, n) == 0;
        if (n == 0)
            break;
    }
    if (fa)
        std::fclose(fa);
    if (fb)
        std::fclose(fb);
    return same;
}

class FolderRun {
public:
    FolderRun(const CommandLine& line, const std::string& program, std::vector<Job> jobs, FILE* report)
        : line(line), program(program), jobs(std::move(jobs)), report(report), terminal(::isatty(2) == 1)
    {
    }

    int run()
    {
        struct sigaction stop {}, oldInt {}, oldTerm {};
        stop.sa_handler = askStop;
        sigemptyset(&stop.sa_mask);
        ::sigaction(SIGINT, &stop, &oldInt);
        ::sigaction(SIGTERM, &stop, &oldTerm);
        const std::size_t most = std::max(1u, std::thread::hardware_concurrency());
        std::size_t next = 0;
        bool stopsSent = false;
        while ((next < jobs.size() && !stopAsked) || !running.empty()) {
            if (stopAsked && !stopsSent) {  // a conversion waiting on its input stops too
                for (const auto& [pid, r] : running)
                    ::kill(pid, SIGTERM);
                stopsSent = true;
            }
            while (next < jobs.size() && running.size() < most && !stopAsked)
                start(next++);
            if (running.empty())
                break;
            int status = 0;
            const pid_t pid = ::waitpid(-1, &status, 0);
            if (pid < 0) {
                if (errno == EINTR)
                    continue;
                break;
            }
            if (const auto it = running.find(pid); it != running.end()) {
                finish(it->second, status);
                running.erase(it);
            }
        }
        ::sigaction(SIGINT, &oldInt, nullptr);
        ::sigaction(SIGTERM, &oldTerm, nullptr);
        if (terminal)
            std::fputc('\n', stderr);
        std::fprintf(stderr, "orvane: %zu of %zu files: %zu converted, %zu unchanged, %zu kept (OUTDIR had them), %zu refused\n",
                     done + unchanged + kept + refused, jobs.size(), done, unchanged, kept, refused);
        if (stopAsked) {
            std::fprintf(stderr, "orvane: stopped; run the same command again to go on\n");
            return 130;
        }
        return refused > 0 ? 1 : 0;
    }

private:
    struct Running {
        std::size_t job;
        int errors;  // its standard error
        fs::path partial;
    };

    void start(std::size_t k)
    {
        const Job& job = jobs[k];
        std::error_code ec;
        if (!line.overwrite && fs::exists(job.output, ec)) {
            ++kept;
            record(job, "kept", "OUTDIR has it already (--overwrite writes over it)");
            return;
        }
        fs::create_directories(job.output.parent_path(), ec);
        if (ec) {
            ++refused;
            record(job, "refused", "its folder cannot be made in OUTDIR: " + ec.message());
            return;
        }
        // Written beside where it goes (hidden, its kind's ending kept), and put there only
        // once it is whole.
        const fs::path partial = job.output.parent_path() / (".orvane-part-" + job.output.filename().string());
        std::vector<std::string> args = {program, line.mode == CommandLine::ToUnicode ? "--to-unicode" : "--from-unicode"};
        if (line.large)
            args.push_back("--large");
        if (line.allTamil)
            args.push_back("--all-tamil");
        if (!line.font.empty())
            args.insert(args.end(), {"--font", line.font});
        for (const std::string& f : line.baminiFonts)
            args.insert(args.end(), {"--bamini-font", f});
        args.insert(args.end(), {"--", job.input.string(), partial.string()});
        std::vector<char*> argv;
        for (std::string& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        const int errors = ::memfd_create("orvane-errors", MFD_CLOEXEC);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        if (errors >= 0)
            posix_spawn_file_actions_adddup2(&actions, errors, 2);
        pid_t pid = -1;
        const int failed = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (failed != 0) {
            if (errors >= 0)
                ::close(errors);
            ++refused;
            record(job, "refused", std::string("the converter cannot be started: ") + std::strerror(failed));
            return;
        }
        running[pid] = {k, errors, partial};
    }

    void finish(const Running& r, int status)
    {
        const Job& job = jobs[r.job];
        const std::vector<std::string> said = r.errors >= 0 ? linesOf(r.errors) : std::vector<std::string>{};
        if (r.errors >= 0)
            ::close(r.errors);
        std::error_code ec;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            fs::remove(r.partial, ec);
            if (stopAsked) {
                record(job, "stopped", "the run was stopped before this file was done");
                return;
            }
            std::string why = WIFSIGNALED(status) ? "the converter stopped on signal " + std::to_string(WTERMSIG(status))
                              : said.empty()      ? "the converter failed"
                                                  : said.front();
            const std::string cannot = "cannot convert '";
            if (why.starts_with(cannot) && why.find("': ") != std::string::npos)
                why.erase(0, why.find("': ") + 3);  // the name is in the report's own column
            ++refused;
            record(job, "refused", why);
            return;
        }
        fs::rename(r.partial, job.output, ec);
        if (ec) {
            fs::remove(r.partial, ec);
            ++refused;
            record(job, "refused", "it cannot be put in OUTDIR: " + ec.message());
            return;
        }
        const bool same = sameBytes(job.input, job.output) || (!said.empty() && said.front().starts_with("0 runs "));
        ++(same ? unchanged : done);
        std::string detail;
        for (const std::string& s : said)
            detail += (detail.empty() ? "" : "; ") + s;
        record(job, same ? "unchanged" : "done", detail);
    }

    void record(const Job& job, const char* status, const std::string& detail)
    {
        if (report) {
            std::fprintf(report, "%s\t%s\t%s\t%s\n", status, cell(job.inputName).c_str(), cell(job.outputName).c_str(),
                         cell(detail).c_str());
            std::fflush(report);
        }
        if (terminal) {
            const std::size_t finished = done + unchanged + kept + refused, width = 30;
            const std::size_t filled = jobs.empty() ? width : finished * width / jobs.size();
            std::fprintf(stderr, "\r[%s%s] %zu/%zu files, %zu refused", std::string(filled, '#').c_str(),
                         std::string(width - filled, ' ').c_str(), finished, jobs.size(), refused);
            std::fflush(stderr);
        }
    }

    const CommandLine& line;
    std::string program;
    std::vector<Job> jobs;
    FILE* report;
    bool terminal;
    std::map<pid_t, Running> running;
    std::size_t done = 0, unchanged = 0, kept = 0, refused = 0;
};
} // namespace

std::optional<int> convertFolderCommand(const CommandLine& line, const std::string& program)
{
    std::error_code ec;
    if (line.operands.empty() || !fs::is_directory(line.operands[0], ec))
        return std::nullopt;
    const fs::path dir = line.operands[0];
    if (line.operands.size() < 2 || line.operands[1] == "-") {
        std::fprintf(stderr, "orvane: cannot convert '%s': a folder is converted into a folder: name OUTDIR\n",
                     printableName(dir.string()).c_str());
        return 1;
    }
    const fs::path outdir = line.operands[1];
    if (fs::exists(outdir, ec) && !fs::is_directory(outdir, ec)) {
        std::fprintf(stderr, "orvane: cannot convert '%s': OUTDIR '%s' is a file, not a folder\n",
                     printableName(dir.string()).c_str(), printableName(outdir.string()).c_str());
        return 1;
    }
    if (fs::equivalent(dir, outdir, ec)) {
        std::fprintf(stderr, "orvane: cannot convert '%s': OUTDIR is the same folder; name another\n",
                     printableName(dir.string()).c_str());
        return 1;
    }
    fs::create_directories(outdir, ec);
    if (ec) {
        std::fprintf(stderr, "orvane: cannot make '%s': %s\n", printableName(outdir.string()).c_str(), ec.message().c_str());
        return 1;
    }
    std::string error;
    std::vector<Job> jobs = jobsOf(dir, outdir, line.mode == CommandLine::ToUnicode, error);
    if (!error.empty()) {
        std::fprintf(stderr, "orvane: cannot read the folder '%s': %s\n", printableName(dir.string()).c_str(), error.c_str());
        return 1;
    }
    const fs::path reportPath = outdir / FolderReportName;
    FILE* report = std::fopen(reportPath.c_str(), "w");
    if (!report) {
        std::fprintf(stderr, "orvane: cannot write '%s': %s\n", printableName(reportPath.string()).c_str(), std::strerror(errno));
        return 1;
    }
    std::fputs("status\tinput\toutput\tdetail\n", report);
    const int status = FolderRun(line, program, std::move(jobs), report).run();
    if (std::fclose(report) != 0) {
        std::fprintf(stderr, "orvane: cannot write '%s': %s\n", printableName(reportPath.string()).c_str(), std::strerror(errno));
        return 1;
    }
    std::fprintf(stderr, "orvane: the report is '%s'\n", printableName(reportPath.string()).c_str());
    return status;
}

} // namespace orvane
