#include "savegame/folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tessal {
namespace {

namespace fs = std::filesystem;

TEST(Volumes, RootFirstThenRealFoldersThenHome) {
    const fs::path temp = fs::temp_directory_path();
    const std::string table = "/dev/vda / ext4 rw 0 0\n"
                              "proc /proc proc rw 0 0\n"
                              "sysfs /sys sysfs rw 0 0\n"
                              "tmpfs /run/user tmpfs rw 0 0\n"
                              "/dev/vda /etc/hostname ext4 rw 0 0\n" // a single file
                              "/dev/sdb " +
                              temp.string() +
                              " ext4 rw 0 0\n"
                              "/dev/sdc /nowhere/at/all ext4 rw 0 0\n";
    const auto volumes = mountedVolumes(table, "/");
    EXPECT_EQ(volumes, (std::vector<std::string>{"/", temp.string()}));
    EXPECT_EQ(mountedVolumes("", temp.string()), (std::vector<std::string>{"/", temp.string()}));
}

TEST(Volumes, RemovableMediaUnderRunMediaAreOffered) {
    const fs::path stick = "/run/media/tessal-test-stick";
    std::error_code error;
    fs::create_directories(stick, error);
    if (error)
        GTEST_SKIP() << "cannot make " << stick << ": " << error.message();
    const auto volumes = mountedVolumes("/dev/sdb1 " + stick.string() +
                                            " vfat rw 0 0\n"
                                            "tmpfs /run/lock tmpfs rw 0 0\n",
                                        "");
    fs::remove(stick);
    EXPECT_EQ(volumes, (std::vector<std::string>{"/", stick.string()}));
}

TEST(Folders, AStartFolderThatWasRemovedGivesWayToHome) {
    const fs::path before = fs::current_path();
    std::string pattern = (fs::temp_directory_path() / "tessal-gone-XXXXXX").string();
    const fs::path gone = mkdtemp(pattern.data());
    fs::current_path(gone);
    fs::remove(gone);
    const char* home = std::getenv("HOME");
    const std::string start = startFolder(); // threw on a removed folder
    fs::current_path(before);
    EXPECT_TRUE(start == "/" || (home && start == normalFolder(home))) << start;
}

TEST(Volumes, EscapedSpacesInMountPoints) {
    const fs::path spaced = fs::temp_directory_path() / "tessal vol";
    fs::create_directories(spaced);
    const std::string escaped = (fs::temp_directory_path() / "tessal\\040vol").string();
    EXPECT_EQ(mountedVolumes("/dev/x " + escaped + " vfat rw 0 0\n", ""),
              (std::vector<std::string>{"/", spaced.string()}));
    fs::remove(spaced);
}

TEST(Volumes, AFolderLiesOnTheLongestVolumeHoldingIt) {
    const std::vector<std::string> volumes{"/", "/media/usb", "/home/ana"};
    EXPECT_EQ(volumeOf("/media/usb/jeux", volumes), "/media/usb");
    EXPECT_EQ(volumeOf("/media/usbkey", volumes), "/");
    EXPECT_EQ(volumeOf("/home/ana", volumes), "/home/ana");
}

TEST(Folders, SubfoldersAreVisibleFoldersInNameOrder) {
    std::string pattern = (fs::temp_directory_path() / "tessal-dirs-XXXXXX").string();
    const fs::path root = mkdtemp(pattern.data());
    for (const char* name : {"b", "a", ".hidden"})
        fs::create_directory(root / name);
    std::ofstream(root / "file");
    EXPECT_EQ(subfolderNames(root.string()), (std::vector<std::string>{"a", "b"}));
    EXPECT_FALSE(subfolderNames((root / "missing").string()));
    fs::remove_all(root);
}

TEST(Folders, ThePathFromTheRootDown) {
    EXPECT_EQ(foldersDownTo("/home/ana/jeux"),
              (std::vector<std::string>{"/", "/home", "/home/ana", "/home/ana/jeux"}));
    EXPECT_EQ(foldersDownTo("/"), std::vector<std::string>{"/"});
}

} // namespace
} // namespace tessal
