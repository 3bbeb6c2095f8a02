#include "folders.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace tessal {

namespace fs = std::filesystem;

namespace {

// Mount points are written with octal escapes for spaces, tabs and backslashes.
std::string unescapeMountPoint(std::string_view field) {
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            const std::string digits(field.substr(i + 1, 3));
            if (digits.find_first_not_of("01234567") == std::string::npos) {
                text += static_cast<char>(std::stoi(digits, nullptr, 8));
                i += 3;
                continue;
            }
        }
        text += field[i];
    }
    return text;
}

bool isPseudo(const std::string& point, const std::string& type) {
    static const char* const kPseudoTypes[] = {
        "proc",   "sysfs",   "devtmpfs",    "devpts",   "cgroup",  "cgroup2",   "securityfs",
        "pstore", "debugfs", "tracefs",     "configfs", "fusectl", "mqueue",    "hugetlbfs",
        "bpf",    "autofs",  "binfmt_misc", "efivarfs", "nsfs",    "rpc_pipefs"};
    for (const char* pseudo : kPseudoTypes)
        if (type == pseudo)
            return true;
    if (point.starts_with("/run/media/"))
        return false;
    for (const char* root : {"/proc", "/sys", "/dev", "/run"})
        if (point == root || point.starts_with(std::string(root) + "/"))
            return true;
    return false;
}

bool isReadableFolder(const std::string& path) {
    std::error_code error;
    return fs::is_directory(path, error) && ::access(path.c_str(), R_OK | X_OK) == 0;
}

} // namespace

std::vector<std::string> mountedVolumes(std::string_view mountTable, const std::string& home) {
    std::vector<std::string> others;
    std::istringstream lines{std::string(mountTable)};
    for (std::string line; std::getline(lines, line);) {
        std::istringstream fields(line);
        std::string device, point, type;
        if (!(fields >> device >> point >> type))
            continue;
        point = unescapeMountPoint(point);
        if (point == "/" || isPseudo(point, type) || !isReadableFolder(point))
            continue;
        if (std::find(others.begin(), others.end(), point) == others.end())
            others.push_back(point);
    }
    std::sort(others.begin(), others.end());
    std::vector<std::string> volumes{"/"};
    volumes.insert(volumes.end(), others.begin(), others.end());
    if (!home.empty() && home != "/" && isReadableFolder(home) &&
        std::find(volumes.begin(), volumes.end(), home) == volumes.end())
        volumes.push_back(home);
    return volumes;
}

std::vector<std::string> systemVolumes() {
    std::ifstream file("/proc/self/mounts");
    std::stringstream table;
    table << file.rdbuf();
    const char* home = std::getenv("HOME");
    return mountedVolumes(table.str(), home ? home : "");
}

std::string startFolder() {
    std::error_code error;
    const fs::path current = fs::current_path(error);
    // A folder the player may not read is still where the game was started: the folder list
    // shows its parents, to climb out.
    if (!error && fs::is_directory(current, error))
        return current.string();
    const char* home = std::getenv("HOME");
    if (home && home[0] == '/' && isReadableFolder(home))
        return normalFolder(home);
    return "/";
}

std::string volumeOf(const std::string& folder, const std::vector<std::string>& volumes) {
    std::string best = "/";
    for (const std::string& volume : volumes) {
        const bool contains = folder == volume || volume == "/" ||
                              folder.starts_with(volume.ends_with('/') ? volume : volume + "/");
        if (contains && volume.size() > best.size())
            best = volume;
    }
    return best;
}

std::optional<std::vector<std::string>> subfolderNames(const std::string& folder) {
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error)
        return std::nullopt;
    std::vector<std::string> names;
    for (fs::directory_iterator end; it != end; it.increment(error)) {
        if (error)
            break;
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (!name.starts_with('.') && it->is_directory(typeError))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string normalFolder(const std::string& folder) {
    std::string path = fs::path(folder).lexically_normal().string();
    if (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::vector<std::string> foldersDownTo(const std::string& folder) {
    std::vector<std::string> chain;
    for (fs::path step = normalFolder(folder);; step = step.parent_path()) {
        chain.push_back(step.string());
        if (step == step.root_path() || step.parent_path() == step || step.empty())
            break;
    }
    std::reverse(chain.begin(), chain.end());
    return chain;
}

std::optional<std::vector<FolderRow>> folderRows(const std::string& folder, const std::string& top,
                                                 bool evenUnreadable) {
    const auto subfolders = subfolderNames(folder);
    if (!subfolders && !evenUnreadable)
        return std::nullopt;
    std::vector<FolderRow> rows;
    for (const std::string& step : foldersDownTo(folder)) {
        if (step.size() < top.size())
            continue; // above the top
        const std::string name = fs::path(step).filename().string();
        rows.push_back({step, name.empty() ? step : name, static_cast<int>(rows.size()), true});
    }
    const int depth = static_cast<int>(rows.size());
    for (const std::string& name : subfolders.value_or(std::vector<std::string>{}))
        rows.push_back({(fs::path(folder) / name).lexically_normal().string(), name, depth});
    return rows;
}

} // namespace tessal
