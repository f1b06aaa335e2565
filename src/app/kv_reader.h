// Reader of the small key=value text files (settings, level descriptions): one value per call.
#pragma once
#include <string>

// The value of the first line of the file whose key equals `key`, or "" when the file cannot be
// opened or is not a regular file, no line matches, or the matching line has nothing after its "=".
// A ';' starts a comment, a line is read in pieces of 49 characters and only its first 40 useful
// characters count, and the "=" is searched from the fourth character on, so keys have at least
// three characters.
std::string read_value(const std::string& key, const std::string& path);
