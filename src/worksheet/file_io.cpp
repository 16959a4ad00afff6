// What the worksheet file readers and writers share: messages, whole-file reads and
// atomic replacement of a file.
#include "worksheet/file_io.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <system_error>

#include "base/language.h"
#include "worksheet/memory_limit.h"

namespace tabulon {
namespace {

// ChooseText, but English before a language has been chosen (the CLI and tests).
std::string Say(std::string_view english, std::string_view swedish) {
    return CurrentLanguage() == Language::Swedish ? std::string(swedish) : std::string(english);
}

std::string Reason(int error_number) {
    return std::strerror(error_number);
}

// Closes a descriptor on every path out.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }
    // Closes now so that the error of close itself is seen; returns 0 or errno.
    int close() {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int m_fd;
};

std::mutex g_fault_mutex;
std::optional<WriteFault> g_fault;

std::optional<WriteFault> CurrentFault() {
    std::lock_guard lock(g_fault_mutex);
    return g_fault;
}

// True when the process that wrote a temporary file can no longer be running.
bool ProcessIsGone(long pid) {
    if (pid <= 0 || pid == static_cast<long>(::getpid())) return false;
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

// The writer's process id from a name "<target>.~<pid>-<attempt>", or -1.
long PidOfTemporary(std::string_view name, std::string_view prefix) {
    if (name.size() <= prefix.size() || name.substr(0, prefix.size()) != prefix) return -1;
    const std::string_view rest = name.substr(prefix.size());
    const std::size_t dash = rest.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash > 9 || dash + 1 == rest.size())
        return -1;
    long pid = 0;
    for (std::size_t i = 0; i < rest.size(); ++i) {
        if (i == dash) continue;
        if (rest[i] < '0' || rest[i] > '9') return -1;
        if (i < dash) pid = pid * 10 + (rest[i] - '0');
    }
    return pid;
}

}  // namespace

void InjectWriteFault(std::optional<WriteFault> fault) {
    std::lock_guard lock(g_fault_mutex);
    g_fault = fault;
}

std::string TemporaryFileName(const std::string& target, long pid, int attempt) {
    return target + ".~" + std::to_string(pid) + "-" + std::to_string(attempt);
}

void RemoveDeadTemporaryFiles(const std::string& target) {
    namespace fs = std::filesystem;
    const fs::path path(target);
    const std::string prefix = path.filename().string() + ".~";
    fs::path folder = path.parent_path();
    if (folder.empty()) folder = ".";
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    // A folder of millions of names is walked once; nothing else bounds it, nor needs to.
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (ProcessIsGone(PidOfTemporary(name, prefix))) {
            std::error_code ignored;
            fs::remove(it->path(), ignored);
        }
    }
}

LoadResult NotEnoughMemory(std::uint64_t columns, std::uint64_t rows) {
    LoadResult result;
    result.error = NotEnoughMemoryText(columns, rows);
    return result;
}

LoadResult FileFormatError() {
    LoadResult result;
    result.error = std::string(kFileFormatError);
    return result;
}

std::string ReadErrorText(std::string_view file_name, std::string_view reason) {
    const std::string name(file_name);
    return Say("Could not read the file " + name + ": ", "Kunde inte läsa filen " + name + ": ") +
           std::string(reason);
}

std::string WriteErrorText(std::string_view file_name, std::string_view reason) {
    const std::string name(file_name);
    return Say("Could not save the file " + name + ": ", "Kunde inte spara filen " + name + ": ") +
           std::string(reason);
}

std::string CellCannotBeSavedText(int column, int row, bool tabs_too) {
    const std::string c = std::to_string(column - 1);
    const std::string r = std::to_string(row - 1);
    return tabs_too ? Say("The cell in column " + c + ", row " + r +
                              " holds a tab or a line break, which a text file cannot hold",
                          "Cellen i kolumn " + c + ", rad " + r +
                              " innehåller en tabb eller en radbrytning, som en textfil inte kan "
                              "rymma")
                    : Say("The cell in column " + c + ", row " + r +
                              " holds a line break, which a worksheet file cannot hold",
                          "Cellen i kolumn " + c + ", rad " + r +
                              " innehåller en radbrytning, som en kalkylbladsfil inte kan rymma");
}

bool ReadFileBytes(const std::string& file_name, std::string& bytes, std::string& error) {
    FileDescriptor fd(::open(file_name.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        error = ReadErrorText(file_name, Reason(errno));
        return false;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        error = ReadErrorText(file_name, Reason(errno));
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        error = ReadErrorText(file_name, Reason(EISDIR));
        return false;
    }
    bytes.clear();
    // The size is a hint only: the file may grow or shrink while it is read.
    std::size_t capacity = info.st_size > 0 ? static_cast<std::size_t>(info.st_size) : 0;
    bytes.reserve(capacity + 1);
    AdviseLargeFill(bytes.data(), bytes.capacity());
    bytes.resize(capacity + 1);
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size()) bytes.resize(bytes.size() * 2 + 4096);
        const ssize_t got = ::read(fd.get(), bytes.data() + used, bytes.size() - used);
        if (got < 0) {
            if (errno == EINTR) continue;
            error = ReadErrorText(file_name, Reason(errno));
            return false;
        }
        if (got == 0) break;
        used += static_cast<std::size_t>(got);
    }
    bytes.resize(used);
    return true;
}

bool WriteFileAtomically(const std::string& file_name, std::string_view bytes, std::string& error) {
    namespace fs = std::filesystem;
    auto fail = [&](int error_number) {
        error = WriteErrorText(file_name, Reason(error_number));
        return false;
    };
    // Writing through a link replaces the file it names, not the link.
    std::string target = file_name;
    std::error_code ec;
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (ec) return fail(ec.value());
        target = resolved.string();
    }
    mode_t mode = 0666;  // narrowed by the umask when the file is new
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists) {
        if (S_ISDIR(existing.st_mode)) return fail(EISDIR);
        mode = existing.st_mode & 07777;
    }

    // A save killed earlier left its temporary file (as big as the sheet) beside the target.
    RemoveDeadTemporaryFiles(target);

    const std::optional<WriteFault> fault = CurrentFault();
    // 0: the step goes on; otherwise the errno the injected fault reports.
    auto injected = [&](WriteStep step) {
        if (!fault || fault->step != step) return 0;
        return fault->error_number != 0 ? fault->error_number : EIO;
    };
    const bool killed_here = fault && fault->killed;

    std::string temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        if (const int e = injected(WriteStep::Create)) return fail(e);
        temporary = TemporaryFileName(target, static_cast<long>(::getpid()), attempt);
        fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST) return fail(errno);
    }
    if (fd < 0) return fail(EEXIST);
    FileDescriptor file(fd);
    auto abandon = [&](int error_number) {
        file.close();
        if (!killed_here) ::unlink(temporary.c_str());
        return fail(error_number);
    };
    if (const int e = injected(WriteStep::Permissions)) return abandon(e);
    if (exists && ::fchmod(file.get(), mode) != 0) return abandon(errno);
    std::size_t done = 0;
    while (done < bytes.size()) {
        // An injected failure strikes half way, so a part of the data is already written.
        const std::size_t chunk =
            injected(WriteStep::Write) && done == 0 ? (bytes.size() + 1) / 2 : bytes.size() - done;
        const ssize_t put = ::write(file.get(), bytes.data() + done, chunk);
        if (put < 0) {
            if (errno == EINTR) continue;
            return abandon(errno);
        }
        done += static_cast<std::size_t>(put);
        if (const int e = injected(WriteStep::Write); e && done < bytes.size()) return abandon(e);
    }
    // The data must be on the disk before the name points at it, or a crash right after
    // the rename could leave an empty file where the old one was.
    if (const int e = injected(WriteStep::Sync)) return abandon(e);
    if (::fsync(file.get()) != 0) return abandon(errno);
    const int closed = injected(WriteStep::Close) ? injected(WriteStep::Close) : file.close();
    if (closed != 0) {
        file.close();
        if (!killed_here) ::unlink(temporary.c_str());
        return fail(closed);
    }
    if (const int e = injected(WriteStep::Rename)) {
        if (!killed_here) ::unlink(temporary.c_str());
        return fail(e);
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error_number = errno;
        ::unlink(temporary.c_str());
        return fail(error_number);
    }
    return true;
}

}  // namespace tabulon
