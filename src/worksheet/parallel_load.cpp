// Loading big worksheet files on several cores: thread counts, running the threads and
// finding the lines of a text in parallel.
#include "worksheet/parallel_load.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <thread>

#include "worksheet/file_lines.h"

namespace tabulon {

unsigned LoadThreadCount(std::size_t bytes) {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t useful = std::max<std::size_t>(1, bytes / kLoadBytesPerThread);
    return static_cast<unsigned>(std::min<std::size_t>(cores, useful));
}

void RunInThreads(unsigned count, const std::function<void(unsigned)>& job) {
    if (count <= 1) {
        job(0);
        return;
    }
    std::vector<std::exception_ptr> failures(count);
    auto guarded = [&](unsigned index) {
        try {
            job(index);
        } catch (...) {
            failures[index] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    threads.reserve(count - 1);
    try {
        for (unsigned i = 1; i < count; ++i) threads.emplace_back(guarded, i);
    } catch (...) {
        // No thread to be had: the jobs left run here, one after the other.
        for (unsigned i = static_cast<unsigned>(threads.size()) + 1; i < count; ++i) guarded(i);
    }
    guarded(0);
    for (std::thread& thread : threads) thread.join();
    for (const std::exception_ptr& failure : failures) {
        if (failure) std::rethrow_exception(failure);
    }
}

std::vector<LineSpan> SplitLines(std::string_view text, unsigned threads) {
    threads = std::max(1u, threads);
    // Part k starts after the first LF at or past k/threads of the text: an LF always ends
    // a line, whatever came before it.
    std::vector<std::size_t> starts(threads + 1, text.size());
    starts[0] = 0;
    for (unsigned k = 1; k < threads; ++k) {
        const std::size_t from = std::max(starts[k - 1], text.size() / threads * k);
        const void* lf = from < text.size()
                             ? std::memchr(text.data() + from, '\n', text.size() - from)
                             : nullptr;
        starts[k] = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - text.data()) + 1
                       : text.size();
    }
    std::vector<std::vector<LineSpan>> parts(threads);
    RunInThreads(threads, [&](unsigned k) {
        const std::size_t offset = starts[k];
        LineCursor cursor(text.substr(offset, starts[k + 1] - offset));
        std::string_view line;
        std::vector<LineSpan>& spans = parts[k];
        while (cursor.next(line)) {
            const auto begin = static_cast<std::size_t>(line.data() - text.data());
            spans.push_back({begin, begin + line.size()});
        }
    });
    std::size_t total = 0;
    for (const auto& part : parts) total += part.size();
    std::vector<LineSpan> lines = std::move(parts[0]);
    lines.reserve(total);
    for (unsigned k = 1; k < threads; ++k) lines.insert(lines.end(), parts[k].begin(), parts[k].end());
    return lines;
}

}  // namespace tabulon
