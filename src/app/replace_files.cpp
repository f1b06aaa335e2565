// Files of one folder replaced together through flushed temporaries, a journal and renames.
#include "app/replace_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <fstream>
#include <optional>
#include <sstream>

namespace {
constexpr const char* journal_name = "save.journal";

std::function<bool(int)> stop_at;
int next_step = 0;

// True when the test seam stops the replacement here.
bool stopped() { return stop_at && stop_at(next_step++); }

std::string in(const std::string& folder, const std::string& name) { return folder + "/" + name; }
std::string temp_of(const std::string& folder, const std::string& name) {
    return in(folder, name + ".tmp");
}

// FNV-1a: tells a complete temporary from one a power cut left short or empty.
std::uint64_t fingerprint(const std::string& text) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

bool is_regular(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The text of a regular file; nothing for a missing file, a folder or a named pipe.
std::optional<std::string> read_regular(const std::string& path) {
    if (!is_regular(path)) return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad()) return std::nullopt;
    return text.str();
}

// Flushes the folder's entries (the renames) to disk. Some file systems cannot flush a folder;
// that is no reason to fail a save.
void sync_folder(const std::string& folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// Writes the text to a fresh file and flushes it to disk, with the mode of the file it will
// replace. A stale file of that name is removed first; a name taken by a folder is a failure.
bool write_flushed(const std::string& path, const std::string& text, const std::string& target) {
    struct stat st {};
    if (lstat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode) || unlink(path.c_str()) != 0) return false;
    }
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = true;
    struct stat old {};
    if (stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ok = fchmod(fd, old.st_mode & 07777) == 0;
    size_t done = 0;
    while (ok && done < text.size()) {
        ssize_t n = write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) ok = false;
        if (n > 0) done += static_cast<size_t>(n);
    }
    if (ok) ok = fsync(fd) == 0;
    if (close(fd) != 0) ok = false;
    if (!ok) unlink(path.c_str());
    return ok;
}

struct JournalEntry {
    std::string name;
    size_t size = 0;
    std::uint64_t print = 0;
};

std::string journal_text(const std::vector<NewFile>& files) {
    std::string text;
    for (const NewFile& f : files)
        text += f.name + " " + std::to_string(f.text.size()) + " " +
                std::to_string(fingerprint(f.text)) + "\n";
    return text;
}

// The journal's entries, each naming one of `names`; nothing when it is not one we wrote.
std::optional<std::vector<JournalEntry>> parse_journal(const std::string& text,
                                                       const std::vector<std::string>& names) {
    std::vector<JournalEntry> entries;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        JournalEntry e;
        if (!(fields >> e.name >> e.size >> e.print)) return std::nullopt;
        bool known = false;
        for (const std::string& n : names) known = known || n == e.name;
        if (!known) return std::nullopt;
        entries.push_back(e);
    }
    if (entries.empty()) return std::nullopt;
    return entries;
}

// Writes every temporary, then the journal that says they are complete. False (and nothing
// left behind) on failure; `stopped_dead` when the test seam stopped it.
bool prepare(const std::string& folder, const std::vector<NewFile>& files, std::string* problem,
             bool* stopped_dead) {
    std::vector<std::string> written;
    auto fail = [&](const std::string& what) {
        for (const std::string& t : written) unlink(t.c_str());
        *problem = "could not write " + what;
        return false;
    };
    for (const NewFile& f : files) {
        if (stopped()) return !(*stopped_dead = true);
        std::string temp = temp_of(folder, f.name);
        if (!write_flushed(temp, f.text, in(folder, f.name))) return fail(temp);
        written.push_back(temp);
    }
    if (stopped()) return !(*stopped_dead = true);
    std::string journal = in(folder, journal_name);
    std::string journal_temp = journal + ".tmp";
    if (!write_flushed(journal_temp, journal_text(files), journal)) return fail(journal_temp);
    written.push_back(journal_temp);
    if (stopped()) return !(*stopped_dead = true);
    if (std::rename(journal_temp.c_str(), journal.c_str()) != 0) return fail(journal);
    if (stopped()) return !(*stopped_dead = true);
    sync_folder(folder);
    return true;
}

// Renames the temporaries over their files in order; the number renamed.
size_t rename_all(const std::string& folder, const std::vector<NewFile>& files,
                  bool* stopped_dead) {
    for (size_t k = 0; k < files.size(); ++k) {
        if (stopped()) {
            *stopped_dead = true;
            return k;
        }
        std::string temp = temp_of(folder, files[k].name);
        if (std::rename(temp.c_str(), in(folder, files[k].name).c_str()) != 0) return k;
    }
    return files.size();
}

void remove_journal(const std::string& folder) {
    unlink(in(folder, journal_name).c_str());
    sync_folder(folder);
}
}  // namespace

void set_replace_stop(std::function<bool(int step)> stop) { stop_at = std::move(stop); }

ReplaceResult replace_files(const std::string& folder, const std::vector<NewFile>& files,
                            std::string* problem) {
    next_step = 0;
    bool dead = false;
    std::string ignored;
    if (!problem) problem = &ignored;
    // The old texts, to put back what was replaced when a later file cannot be.
    std::vector<std::optional<std::string>> old;
    for (const NewFile& f : files) old.push_back(read_regular(in(folder, f.name)));
    if (!prepare(folder, files, problem, &dead)) return ReplaceResult::unchanged;
    size_t renamed = rename_all(folder, files, &dead);
    if (dead) return ReplaceResult::unchanged;
    if (renamed == files.size()) {
        sync_folder(folder);
        if (stopped()) return ReplaceResult::unchanged;
        remove_journal(folder);
        return ReplaceResult::replaced;
    }
    *problem = "could not replace " + in(folder, files[renamed].name);
    // Put back what was replaced, through the same journal: from here a reading of the folder
    // finishes the putting back rather than the save that failed.
    std::vector<NewFile> back;
    std::vector<std::string> created;  // files that did not exist before the save
    for (size_t k = 0; k < renamed; ++k) {
        if (old[k]) {
            back.push_back({files[k].name, *old[k]});
        } else {
            created.push_back(in(folder, files[k].name));
        }
    }
    std::string back_problem;
    bool put_back = back.empty() || prepare(folder, back, &back_problem, &dead);
    for (size_t k = renamed; k < files.size(); ++k) unlink(temp_of(folder, files[k].name).c_str());
    if (put_back && !back.empty()) put_back = rename_all(folder, back, &dead) == back.size();
    for (const std::string& c : created) put_back = unlink(c.c_str()) == 0 && put_back;
    remove_journal(folder);
    if (put_back) return ReplaceResult::unchanged;
    for (size_t k = 0; k < renamed; ++k) *problem += ", " + in(folder, files[k].name);
    *problem += renamed == 1 ? " was" : " were";
    *problem += " replaced and could not be put back";
    return ReplaceResult::mixed;
}

std::string finish_interrupted_replace(const std::string& folder,
                                       const std::vector<std::string>& names) {
    std::string said;
    std::string journal = in(folder, journal_name);
    std::optional<std::string> text = read_regular(journal);
    std::optional<std::vector<JournalEntry>> entries;
    if (text) entries = parse_journal(*text, names);
    if (entries) {
        bool finished = true;
        for (const JournalEntry& e : *entries) {
            std::string temp = temp_of(folder, e.name);
            std::optional<std::string> held = read_regular(temp);
            if (!held) continue;  // renamed before the stop
            bool complete = held->size() == e.size && fingerprint(*held) == e.print;
            if (!complete || std::rename(temp.c_str(), in(folder, e.name).c_str()) != 0)
                finished = false;
        }
        said = finished ? folder + ": finished a save that was stopped half way."
                        : folder +
                              ": a save stopped half way could not be finished; its files "
                              "may not match.";
    } else if (text) {
        said = folder + ": removed " + journal + ", which no save of this game wrote.";
    }
    bool temporaries = false;
    std::vector<std::string> leftovers{journal + ".tmp"};
    for (const std::string& n : names) leftovers.push_back(temp_of(folder, n));
    for (const std::string& t : leftovers) {
        struct stat st {};
        if (lstat(t.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) continue;
        temporaries = unlink(t.c_str()) == 0 || temporaries;
    }
    if (temporaries && said.empty())
        said = folder +
               ": removed what a save stopped before its end had begun; the level is as "
               "it was.";
    if (text || temporaries) remove_journal(folder);
    return said;
}
