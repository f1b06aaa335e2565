// The named pipe's writer: each opening of the write end waits for a reader, then closes at once.
#include "support/named_pipe.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

NamedPipe::NamedPipe(const std::string& p) : path(std::filesystem::absolute(p).string()) {
    std::filesystem::path where(path);
    if (where.has_parent_path()) std::filesystem::create_directories(where.parent_path());
    if (mkfifo(path.c_str(), 0600) != 0) return;
    writer = std::thread([this] {
        for (;;) {
            int fd = open(path.c_str(), O_WRONLY);
            if (fd < 0 && errno == EINTR) continue;
            if (fd < 0) return;
            bool stop = stopping;
            if (!stop) was_opened = true;
            close(fd);
            if (stop) return;
        }
    });
}

NamedPipe::~NamedPipe() {
    if (writer.joinable()) {
        // The writer waits for a reader: this one lets it see that the test is over.
        stopping = true;
        int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK);
        writer.join();
        if (fd >= 0) close(fd);
    }
    unlink(path.c_str());
}
