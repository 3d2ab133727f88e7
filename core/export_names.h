#pragma once
// Names as the files carry them: ASCII letters, digits and "_" only, made
// unique with a "_%d" suffix.

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace korvo {

// Every byte of the name as the files encode it (Shift_JIS) that is not an
// ASCII letter, digit or "_" becomes "_". Bytes are judged one by one, so a
// double-byte character whose second byte is a letter keeps that letter.
std::string CleanExportName(const std::string& name);

// A texture's name: its file name (after the last "/" or "\") without the
// last four characters (the extension with its dot), cleaned as above.
std::string TextureBaseName(std::string_view path);

// The names given so far, in order. A new name is checked against them in
// one pass: each earlier name equal to the current candidate moves the
// candidate on to the next suffix (base_1, base_2, ...), and later names
// are compared with that. The pass never looks back, so a suffixed name
// may still equal an earlier one; that is the naming the files have always
// had.
class UniqueNames {
public:
    // The name for base after the names given so far; it is given too.
    std::string Add(const std::string& base);

private:
    struct Walk {
        int suffix = 0;     // 0: the base itself
        int position = -1;  // the name that moved the candidate last
    };
    std::unordered_map<std::string, std::vector<int>> positions_;  // name -> ascending positions
    // A walk can resume where the last one for the same base stopped: the
    // names before that point do not change.
    std::unordered_map<std::string, Walk> walks_;
    int count_ = 0;
};

}  // namespace korvo
