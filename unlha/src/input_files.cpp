#include "input_files.h"

#include "unlha32.h"
#include "wildcard.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <unordered_set>

namespace unlha {
namespace {

// Member path from a disk path below root: "." and ".." and empty components dropped.
std::string MemberPathFor(const std::string& diskPath, const std::string& root, bool folder) {
    std::string rest = diskPath.substr(std::min(root.size(), diskPath.size()));
    std::string path;
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t slash = rest.find('/', start);
        if (slash == std::string::npos) {
            slash = rest.size();
        }
        const std::string part = rest.substr(start, slash - start);
        start = slash + 1;
        if (part.empty() || part == "." || part == "..") {
            continue;
        }
        path += path.empty() ? part : "/" + part;
    }
    if (folder && !path.empty()) {
        path += '/';
    }
    return path;
}

class Collector {
public:
    Collector(const Command& command, const struct stat* excluded, std::vector<InputFile>& out,
              Report& report)
        : command_(command), excluded_(excluded), out_(out), report_(report) {}

    bool AddName(const Command::Name& name) {
        const std::string diskPath =
            name.base.empty() || name.name[0] == '/' ? name.name : name.base + name.name;
        const std::size_t slash = diskPath.rfind('/');
        const std::string folder = slash == std::string::npos ? "" : diskPath.substr(0, slash + 1);
        const std::string last = diskPath.substr(folder.size());
        if (!name.base.empty() && name.name[0] != '/') {
            root_ = name.base;
        } else {
            root_ = command_.keepPaths.value_or(false) ? "" : folder;
        }
        if (HasWildcard(last)) {
            const std::size_t before = out_.size();
            if (!Walk(folder, last, command_.recurse)) {
                return false;
            }
            if (out_.size() == before) {
                report_.Fail(UNLHA_ERROR_NOT_FIND_FILE, "unlha: no file matches " + diskPath);
                return false;
            }
            return true;
        }
        struct stat st {};
        if (stat(diskPath.c_str(), &st) != 0) {
            report_.Fail(UNLHA_ERROR_NOT_FIND_FILE,
                         "unlha: cannot find " + diskPath + ": " + std::strerror(errno));
            return false;
        }
        if (S_ISDIR(st.st_mode)) {
            Push(diskPath, st, true);
            return Walk(diskPath + "/", "*", true);
        }
        if (!S_ISREG(st.st_mode)) {
            report_.Fail(UNLHA_ERROR_FILE_OPEN, "unlha: not a regular file: " + diskPath);
            return false;
        }
        Push(diskPath, st, false);
        return true;
    }

private:
    bool IsExcluded(const struct stat& st) const {
        return excluded_ != nullptr && st.st_dev == excluded_->st_dev &&
               st.st_ino == excluded_->st_ino;
    }

    void Push(const std::string& diskPath, const struct stat& st, bool folder) {
        const std::string member = MemberPathFor(diskPath, root_, folder);
        if (member.empty() || IsExcluded(st)) {
            return;
        }
        out_.push_back({diskPath, member, st});
    }

    bool Walk(const std::string& folder, const std::string& pattern, bool recurse) {
        const std::string open = folder.empty() ? "." : folder;
        DIR* dir = opendir(open.c_str());
        if (dir == nullptr) {
            report_.Fail(UNLHA_ERROR_FILE_OPEN,
                         "unlha: cannot read folder " + open + ": " + std::strerror(errno));
            return false;
        }
        std::vector<std::string> names;
        while (const dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") {
                names.push_back(name);
            }
        }
        closedir(dir);
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) {
            const std::string path = folder + name;
            struct stat st {};
            if (lstat(path.c_str(), &st) != 0) {
                report_.Fail(UNLHA_ERROR_FILE_OPEN,
                             "unlha: cannot read " + path + ": " + std::strerror(errno));
                return false;
            }
            if (S_ISLNK(st.st_mode)) {
                // A link is stored as what it points to, when that is a file; links to
                // folders are not followed, so a loop cannot make the walk endless.
                if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) {
                    report_.Line("skipped link " + path);
                    continue;
                }
            }
            const bool matches = WildcardMatch(pattern, name);
            if (S_ISDIR(st.st_mode)) {
                if (recurse) {
                    if (matches) {
                        Push(path, st, true);
                    }
                    if (!Walk(path + "/", pattern, recurse)) {
                        return false;
                    }
                }
            } else if (S_ISREG(st.st_mode)) {
                if (matches) {
                    Push(path, st, false);
                }
            } else if (matches) {
                report_.Line("skipped special file " + path);
            }
        }
        return true;
    }

    const Command& command_;
    const struct stat* excluded_;
    std::vector<InputFile>& out_;
    Report& report_;
    std::string root_;
};

} // namespace

bool CollectInputs(const Command& command, const struct stat* excluded, std::vector<InputFile>& out,
                   Report& report) {
    if (command.names.empty()) {
        report.Fail(UNLHA_ERROR_NOT_FIND_FILE, "unlha: no files named to add");
        return false;
    }
    Collector collector(command, excluded, out, report);
    for (const auto& name : command.names) {
        if (!collector.AddName(name)) {
            return false;
        }
    }
    // A member named twice is added once, as named last. A set keeps this linear: a folder
    // may hold a hundred thousand files.
    std::vector<InputFile> unique;
    std::unordered_set<std::string> seen;
    for (auto it = out.rbegin(); it != out.rend(); ++it) {
        if (seen.insert(it->memberPath).second) {
            unique.push_back(*it);
        }
    }
    out.assign(unique.rbegin(), unique.rend());
    return true;
}

} // namespace unlha
