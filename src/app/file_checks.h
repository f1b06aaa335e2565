// Which files the game agrees to read. Levels, the pictures and music they name and the settings
// are written by people: a named pipe, a device or a folder standing where a file should be would
// block a read forever or fail it, and a name in a level file must not lead outside the resource
// tree.
#pragma once
#include <string>

enum class FileState { regular, missing, refused };

// What stands at `path` (symbolic links followed): a regular file, nothing, or something else,
// which is refused with one line on standard output naming it. Callers open a regular file only
// and take anything else as missing.
FileState file_state(const std::string& path);
inline bool regular_file(const std::string& path) { return file_state(path) == FileState::regular; }

// Reads a regular file whole into `text`; false for anything else (missing, a folder, a pipe) or
// when the read fails.
bool read_whole_file(const std::string& path, std::string* text);
// The read alone, for callers that made their own check that `path` is a regular file.
bool read_checked_file(const std::string& path, std::string* text);

// True when a path a level file names below the resource tree stays inside it: it is not
// absolute and takes no ".." step. Otherwise one line on standard output names it and
// `named_in`, the file and key it came from.
bool inside_resources(const std::string& relative, const std::string& named_in);
