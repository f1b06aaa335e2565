// The key=value reader. Its line limits are part of the file format that settings and level
// descriptions were written for, so they are kept exactly.
#include "app/kv_reader.h"

#include <cstdio>
#include <cstring>

#include "app/file_checks.h"

namespace {
constexpr int read_piece = 50;     // fgets buffer: pieces of at most 49 characters
constexpr size_t body_limit = 40;  // useful characters kept from each piece
constexpr size_t equals_from = 3;  // the '=' that starts the value is searched from here
}  // namespace

std::string read_value(const std::string& key, const std::string& path) {
    if (!regular_file(path)) return "";
    std::FILE* f = std::fopen(path.c_str(), "r");
    if (!f) return "";
    char piece[read_piece];
    while (std::fgets(piece, sizeof piece, f)) {
        // The body ends at a comment, a carriage return or the end of the piece; a line feed at
        // the end stays in the body for now (it ends the value below).
        size_t len = std::strcspn(piece, ";\r");
        if (len > body_limit) len = body_limit;
        std::string body(piece, len);

        std::string name = body.substr(0, body.find_first_of("=\r"));
        std::string value;
        size_t eq = body.size() > equals_from ? body.find('=', equals_from) : std::string::npos;
        if (eq != std::string::npos) {
            size_t start = eq + 1;
            size_t end = body.find_first_of("=\n\r", start);
            value = body.substr(start, end == std::string::npos ? std::string::npos : end - start);
        }
        if (name == key) {
            std::fclose(f);
            return value;
        }
    }
    std::fclose(f);
    return "";
}
