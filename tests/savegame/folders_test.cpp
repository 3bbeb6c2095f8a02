#include "savegame/folders.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <tuple>
#include <unistd.h>

namespace tessal {
namespace {

namespace fs = std::filesystem;

// A folder of the test's own, removed with all it holds however the test ends, so that runs
// side by side never meet.
class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::string pattern = (fs::temp_directory_path() / "tessal-folders-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw fs::filesystem_error("mkdtemp", pattern,
                                       std::error_code(errno, std::generic_category()));
        path_ = pattern;
    }
    ~TemporaryFolder() {
        std::error_code error;
        fs::remove_all(path_, error);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const fs::path& path() const { return path_; }

  private:
    fs::path path_;
};

bool writeTo(const char* file, const std::string& text) {
    const int fd = ::open(file, O_WRONLY | O_CLOEXEC);
    const bool written = fd >= 0 && ::write(fd, text.data(), text.size()) == ssize_t(text.size());
    if (fd >= 0)
        ::close(fd);
    return written;
}

// Runs `probe` in a child process whose /run is an empty tmpfs of its own, so that it may make
// folders there while the machine's /run stays untouched; gives back what `probe` returned,
// or nothing where the kernel lends no mount namespace.
std::optional<std::string> withOwnRun(const std::function<std::string()>& probe) {
    int channel[2];
    if (::pipe(channel) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        const uid_t uid = ::geteuid();
        const gid_t gid = ::getegid();
        const bool alone =
            uid == 0 ? ::unshare(CLONE_NEWNS) == 0
                     : ::unshare(CLONE_NEWUSER | CLONE_NEWNS) == 0 &&
                           writeTo("/proc/self/setgroups", "deny") &&
                           writeTo("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") &&
                           writeTo("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1");
        if (!alone || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", "/run", "tmpfs", 0, nullptr) != 0)
            ::_exit(2);
        const std::string result = probe();
        const bool sent =
            ::write(channel[1], result.data(), result.size()) == ssize_t(result.size());
        ::_exit(sent ? 0 : 1);
    }
    ::close(channel[1]);
    std::string result;
    char buffer[256];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        result.append(buffer, static_cast<std::size_t>(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 2)
        return std::nullopt;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? result : "(the probe failed)";
}

TEST(Volumes, RootFirstThenRealFoldersThenHome) {
    const TemporaryFolder temp;
    const std::string table = "/dev/vda / ext4 rw 0 0\n"
                              "proc /proc proc rw 0 0\n"
                              "sysfs /sys sysfs rw 0 0\n"
                              "tmpfs /run/user tmpfs rw 0 0\n"
                              "/dev/vda /etc/hostname ext4 rw 0 0\n" // a single file
                              "/dev/sdb " +
                              temp.path().string() +
                              " ext4 rw 0 0\n"
                              "/dev/sdc /nowhere/at/all ext4 rw 0 0\n";
    const auto volumes = mountedVolumes(table, "/");
    EXPECT_EQ(volumes, (std::vector<std::string>{"/", temp.path().string()}));
    EXPECT_EQ(mountedVolumes("", temp.path().string()),
              (std::vector<std::string>{"/", temp.path().string()}));
}

TEST(Volumes, RemovableMediaUnderRunMediaAreOffered) {
    const std::string stick = "/run/media/ana/TESSAL";
    const auto offered = withOwnRun([&] {
        std::error_code error;
        fs::create_directories(stick, error);
        fs::create_directories("/run/lock", error); // the system's own, left out
        std::string listed;
        for (const std::string& volume : mountedVolumes(
                 "/dev/sdb1 " + stick + " vfat rw 0 0\ntmpfs /run/lock tmpfs rw 0 0\n", ""))
            listed += volume + "\n";
        return listed;
    });
    if (!offered)
        GTEST_SKIP() << "no mount namespace to give the test a /run of its own";
    EXPECT_EQ(*offered, "/\n" + stick + "\n");
}

TEST(Folders, AStartFolderThatWasRemovedGivesWayToHome) {
    const fs::path before = fs::current_path();
    const TemporaryFolder gone;
    fs::current_path(gone.path());
    fs::remove(gone.path());
    const char* home = std::getenv("HOME");
    const std::string start = startFolder(); // threw on a removed folder
    fs::current_path(before);
    EXPECT_TRUE(start == "/" || (home && start == normalFolder(home))) << start;
}

TEST(Folders, AStartFolderThatCannotBeReadStaysTheStart) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every folder";
    const fs::path before = fs::current_path();
    const TemporaryFolder locked;
    fs::current_path(locked.path());
    fs::permissions(locked.path(), fs::perms::owner_write | fs::perms::owner_exec);
    const std::string start = startFolder();
    fs::permissions(locked.path(), fs::perms::owner_all);
    fs::current_path(before);
    EXPECT_EQ(start, locked.path().string());
}

TEST(Volumes, EscapedSpacesInMountPoints) {
    const TemporaryFolder temp;
    const fs::path spaced = temp.path() / "tessal vol";
    fs::create_directories(spaced);
    const std::string escaped = (temp.path() / "tessal\\040vol").string();
    EXPECT_EQ(mountedVolumes("/dev/x " + escaped + " vfat rw 0 0\n", ""),
              (std::vector<std::string>{"/", spaced.string()}));
}

TEST(Volumes, AFolderLiesOnTheLongestVolumeHoldingIt) {
    const std::vector<std::string> volumes{"/", "/media/usb", "/home/ana"};
    EXPECT_EQ(volumeOf("/media/usb/jeux", volumes), "/media/usb");
    EXPECT_EQ(volumeOf("/media/usbkey", volumes), "/");
    EXPECT_EQ(volumeOf("/home/ana", volumes), "/home/ana");
}

TEST(Folders, SubfoldersAreVisibleFoldersInNameOrder) {
    const TemporaryFolder root;
    for (const char* name : {"b", "a", ".hidden"})
        fs::create_directory(root.path() / name);
    std::ofstream(root.path() / "file");
    EXPECT_EQ(subfolderNames(root.path().string()), (std::vector<std::string>{"a", "b"}));
    EXPECT_FALSE(subfolderNames((root.path() / "missing").string()));
}

TEST(Folders, ThePathFromTheRootDown) {
    EXPECT_EQ(foldersDownTo("/home/ana/jeux"),
              (std::vector<std::string>{"/", "/home", "/home/ana", "/home/ana/jeux"}));
    EXPECT_EQ(foldersDownTo("/"), std::vector<std::string>{"/"});
}

// The chooser's rows: the way down from its top, open, then the subfolders one level deeper;
// an unreadable folder lists the way down alone, when asked to.
TEST(Folders, TheChooserListsTheWayDownThenTheSubfolders) {
    const TemporaryFolder root;
    fs::create_directories(root.path() / "jeux" / "b");
    fs::create_directories(root.path() / "jeux" / "a");
    const std::string top = root.path().string(), jeux = (root.path() / "jeux").string();
    const auto rows = folderRows(jeux, top, false);
    ASSERT_TRUE(rows);
    std::vector<std::tuple<std::string, std::string, int, bool>> seen;
    for (const FolderRow& row : *rows)
        seen.emplace_back(row.path, row.name, row.depth, row.open);
    const std::string topName = root.path().filename().string();
    EXPECT_EQ(seen, (decltype(seen){{top, topName, 0, true},
                                    {jeux, "jeux", 1, true},
                                    {jeux + "/a", "a", 2, false},
                                    {jeux + "/b", "b", 2, false}}));
    EXPECT_FALSE(folderRows(jeux + "/gone", top, false));
    EXPECT_EQ(folderRows(jeux + "/gone", top, true)->size(), 3u);
    EXPECT_EQ(folderRows("/", "/", true)->front().name, "/");
}

} // namespace
} // namespace tessal
