// A named pipe where a file should be, for the readers that must never open one. Nothing writes
// to a fresh pipe, so a reader opening it would wait forever and the test with it: a writer here
// answers every opening at once with an empty stream and notes it, so a reader that opens the
// pipe fails its test instead of hanging it.
#pragma once
#include <atomic>
#include <string>
#include <thread>

struct NamedPipe {
    explicit NamedPipe(const std::string& path);  // creates the folders on the way
    ~NamedPipe();
    NamedPipe(const NamedPipe&) = delete;
    NamedPipe& operator=(const NamedPipe&) = delete;
    // Some reader opened the pipe (and, when it read, found it empty).
    bool opened() const { return was_opened; }

    std::string path;  // absolute, so the pipe goes whatever the working folder is then
    std::atomic<bool> stopping{false}, was_opened{false};
    std::thread writer;
};
