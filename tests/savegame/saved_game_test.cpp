#include "savegame/saved_game.h"

#include "generator/game_commands.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tessal {
namespace {

namespace fs = std::filesystem;
using testing::MemoryCells;
using testing::ScriptedRandom;

std::string lines(std::initializer_list<std::string> first, const std::string& rest, int total) {
    std::string bytes;
    int n = 0;
    for (const auto& line : first) {
        bytes += line + "\r\n";
        ++n;
    }
    for (; n < total; ++n)
        bytes += rest + "\r\n";
    return bytes;
}

struct TempFolder {
    fs::path path;
    TempFolder() {
        std::string pattern = (fs::temp_directory_path() / "tessal-test-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~TempFolder() { fs::remove_all(path); }
    std::string str() const { return path.string(); }
    std::string read(const std::string& name) const {
        std::ifstream file(path / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
    void write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path / name, std::ios::binary) << bytes;
    }
};

TEST(FileNames, JoinWithoutDoublingTheSeparator) {
    EXPECT_EQ(savedGamePath("/home/ana", "partie"), "/home/ana/tessalpartie.txt");
    EXPECT_EQ(savedGamePath("/", "x"), "/tessalx.txt");
    EXPECT_EQ(savedGamePath("/media/usb/", ""), "/media/usb/tessal.txt");
}

TEST(FileNames, GameNamesUndoTheFileNames) {
    EXPECT_EQ(gameNameOf("tessalpartie.txt"), "partie");
    EXPECT_EQ(gameNameOf("tessal.txt"), "");
    EXPECT_EQ(gameNameOf("tessa.txt"), std::nullopt);
    EXPECT_EQ(gameNameOf("tessalx.txt.bak"), std::nullopt);
    EXPECT_EQ(gameNameOf("tessal"), std::nullopt);
}

TEST(FileNames, NamesThatWouldLeaveTheFolderAreRefused) {
    EXPECT_FALSE(gameNameFault("ma partie 2"));
    EXPECT_FALSE(gameNameFault("été"));
    EXPECT_FALSE(gameNameFault(".."));
    EXPECT_FALSE(gameNameFault("日本 \u00a0x")); // a no-break space is no control
    // Invisible C1 controls and the marks that reorder text: "x\u202Eman.exe" lists as
    // "xexe.nam".
    for (const char* bad :
         {"../x", "a/b", "a\\b", "tab\there", "new\nline", "del\x7f", "x\u202Eman.exe", "nel\u0085",
          "c1\u009f", "lri\u2066x", "pdi\u2069", "rlm\u200f", "alm\u061c", "ls\u2028", "ps\u2029",
          "stray\x85"
          "byte"})
        EXPECT_TRUE(gameNameFault(bad)) << bad;
    for (const char* lookalike :
         {"bob\u200b", "zwnj\u200c", "zwj\u200d", "wj\u2060", "\ufeffbom", "shy\u00ad", "cgj\u034f",
          "vs\ufe00", "fill\u3164", "tag\U000E0041"})
        EXPECT_EQ(gameNameFault(lookalike), NameFault::Invisible); // "bob\u200B" reads "bob"
    EXPECT_FALSE(gameNameFault("cœur \u2764\ufe0f")); // an emoji keyboard's heart, in colour
    EXPECT_TRUE(gameNameFault(std::string("nul\0x", 5)));
}

TEST(Format, AFreshDealIsEightyOneGivenLines) {
    MemoryCells cells;
    GameValues values;
    ScriptedRandom random = testing::digitsInOrder();
    GameCommands(cells, values, random).Form_Load();
    const std::string bytes = boardBytes(cells);
    ASSERT_EQ(bytes.size(), 81u * 4);
    int blank = 0;
    for (int n = 0; n < 81; ++n) {
        EXPECT_EQ(bytes[4 * n], 'G');
        EXPECT_EQ(bytes.substr(4 * n + 2, 2), "\r\n");
        blank += bytes[4 * n + 1] == '0' ? 1 : 0;
    }
    EXPECT_EQ(blank, 51);
}

TEST(Format, TheFourCellStatesRoundTripAndLineTenIsCellEleven) {
    MemoryCells cells;
    for (int cell : kBoardOrder)
        cells.set(cell, "G0");
    cells.set(1, "G5");
    cells.set(11, "J7");
    cells.set(89, "J0");
    const std::string bytes = boardBytes(cells);
    EXPECT_EQ(bytes.substr(0, 4), "G5\r\n");
    EXPECT_EQ(bytes.substr(9 * 4, 4), "J7\r\n");
    EXPECT_EQ(bytes.substr(80 * 4, 4), "J0\r\n");
    EXPECT_EQ(bytes.substr(4, 4), "G0\r\n");

    const auto board = parseBoard(bytes);
    ASSERT_TRUE(board);
    MemoryCells back;
    applyBoard(back, *board);
    EXPECT_EQ(boardBytes(back), bytes);
    EXPECT_EQ(back.cells[89].colour, kEntryColour);
    EXPECT_EQ(back.cells[89].text, "");
}

TEST(Format, ReadingFollowsTheFirstAndLastCharacters) {
    const auto board = parseBoard(lines({"g5", "X3", "", "G", "7", "GJ0"}, "G0", 81));
    ASSERT_FALSE(board); // "G" alone ends in no digit
    const auto sound = parseBoard(lines({"g5", "X3", "", "7", "GJ0", "Gabc4"}, "G0", 81));
    ASSERT_TRUE(sound);
    EXPECT_EQ((*sound)[0].colour, kEntryColour); // lower-case g
    EXPECT_EQ((*sound)[0].text, "5");
    EXPECT_EQ((*sound)[1].colour, kEntryColour);
    EXPECT_EQ((*sound)[2].colour, kEntryColour); // empty line: an erased square
    EXPECT_EQ((*sound)[2].text, "");
    EXPECT_EQ((*sound)[3].text, "7");
    EXPECT_EQ((*sound)[4].colour, kGivenColour);
    EXPECT_EQ((*sound)[4].text, "");
    EXPECT_EQ((*sound)[5].text, "4");
}

TEST(Format, BareLineFeedsAndExtraLinesAreFine) {
    std::string bytes;
    for (int n = 0; n < 81; ++n)
        bytes += "J3\n";
    bytes += "garbage\nmore";
    const auto board = parseBoard(bytes);
    ASSERT_TRUE(board);
    EXPECT_EQ((*board)[80].text, "3");
    std::string noFinalEnd = lines({}, "G1", 80) + "G2";
    ASSERT_TRUE(parseBoard(noFinalEnd));
    EXPECT_FALSE(parseBoard(noFinalEnd, false)); // cut off where reading stopped
}

TEST(Format, AnEditorsByteOrderMarkIsNoPartOfTheFirstGiven) {
    const auto board = parseBoard("\xEF\xBB\xBF" + lines({"G4"}, "J0", 81));
    ASSERT_TRUE(board);
    EXPECT_EQ((*board)[0].colour, kGivenColour);
    EXPECT_EQ((*board)[0].text, "4");
    EXPECT_FALSE(parseBoard(lines({"G4", "\xEF\xBB\xBF"}, "J0", 81))); // only at the start
}

TEST(Format, UnsoundFilesAreRefusedWhole) {
    EXPECT_FALSE(parseBoard(""));
    EXPECT_FALSE(parseBoard(lines({}, "G1", 80)));
    EXPECT_FALSE(parseBoard(lines({"GX"}, "G1", 81)));
    EXPECT_FALSE(parseBoard(lines({"G\xff"}, "G1", 81)));
    EXPECT_FALSE(parseBoard(std::string(324, '\0')));
    // Text only: no control character but the CR that ends a line, no byte past ASCII.
    std::string terminal;
    for (int n = 0; n < 81; ++n)
        terminal += std::string("\0\xff\x01\x1b[2J5\n", 9);
    EXPECT_FALSE(parseBoard(terminal));
    for (const char* line : {"G\t5", "G5\r\r", "Gé5", "J\1775"})
        EXPECT_FALSE(parseBoard(lines({"G1", line}, "J0", 81))) << line;
}

TEST(Files, SavingTwiceKeepsOneFileWithTheLaterBoard) {
    TempFolder folder;
    const std::string path = savedGamePath(folder.str(), "a");
    ASSERT_FALSE(writeFileAtomically(path, "first"));
    ASSERT_FALSE(writeFileAtomically(path, "second"));
    EXPECT_EQ(folder.read("tessala.txt"), "second");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 1);
}

TEST(Files, AFailedSaveLeavesTheEarlierSaveAndNoLitter) {
    TempFolder folder;
    folder.write("tessalb.txt", "earlier");
    fs::create_directory(folder.path / "tessalc.txt");
    EXPECT_TRUE(writeFileAtomically(savedGamePath(folder.str(), "c"), "new"));
    EXPECT_TRUE(writeFileAtomically(savedGamePath(folder.str() + "/missing", "b"), "new"));
    EXPECT_EQ(folder.read("tessalb.txt"), "earlier");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 2);
}

TEST(Files, ReadingStopsAtTheLimit) {
    TempFolder folder;
    folder.write("big", std::string(100000, 'x'));
    std::string reason;
    const auto start = readFileStart((folder.path / "big").string(), kMaxReadBytes, reason);
    ASSERT_TRUE(start);
    EXPECT_EQ(start->bytes.size(), kMaxReadBytes);
    EXPECT_FALSE(start->wholeFile);
    EXPECT_FALSE(readFileStart((folder.path / "gone").string(), kMaxReadBytes, reason));
    EXPECT_FALSE(reason.empty());
}

// In the order a person reads them: case and accents folded, numbers by their value.
TEST(Files, ListingShowsPlainVisibleSavedGamesInReadingOrder) {
    TempFolder folder;
    for (const char* name : {"Bob", "Zoé", "alice", "émile", "partie10", "Partie9", "partie 2",
                             "Œuvre", "oeuvrd", "\xe9t\xe9", "007", "7", "8", ""})
        folder.write("tessal" + std::string(name) + ".txt", "x");
    for (const char* name : {".tessalhidden.txt", "other.txt", "tessalC.txt.tmp"})
        folder.write(name, "x");
    fs::create_directory(folder.path / "tessalfolder.txt");
    std::string reason;
    EXPECT_EQ(
        savedGameNames(folder.str(), reason),
        (std::vector<std::string>{"", "007", "7", "8", "alice", "Bob", "émile", "oeuvrd", "Œuvre",
                                  "partie 2", "Partie9", "partie10", "Zoé", "\xe9t\xe9"}));
    EXPECT_FALSE(savedGameNames(folder.str() + "/missing", reason)); // not "no saved games"
    EXPECT_EQ(reason, "le répertoire n'existe plus");
}

// The browser's folder would keep a longer name than Linux does, and never list it.
TEST(Files, AFileNameLongerThanLinuxKeepsIsRefused) {
    TempFolder folder;
    EXPECT_EQ(writeFileAtomically(savedGamePath(folder.str(), std::string(245, 'x')), "new"),
              std::nullopt); // tessal + 245 + .txt: 255 bytes
    EXPECT_EQ(writeFileAtomically(savedGamePath(folder.str(), std::string(244, 'x') + "é"), "new"),
              "le nom est trop long");
    std::string reason;
    EXPECT_EQ(savedGameNames(folder.str(), reason),
              std::vector<std::string>{std::string(245, 'x')});
}

TEST(Files, AProtectedSaveIsRefusedALinkFollowedAndPermissionsKept) {
    TempFolder folder;
    folder.write("tessalgarde.txt", "kept");
    fs::permissions(folder.path / "tessalgarde.txt", fs::perms::owner_read | fs::perms::group_read);
    // Even for root, who could write it; and the reasons a player meets, in French.
    EXPECT_EQ(writeFileAtomically(savedGamePath(folder.str(), "garde"), "new"),
              "le fichier est protégé en écriture");
    EXPECT_EQ(writeFileAtomically(savedGamePath(folder.str() + "/parti", "x"), "new"),
              "le répertoire n'existe plus");
    EXPECT_EQ(folder.read("tessalgarde.txt"), "kept");

    fs::create_directory(folder.path / "ailleurs");
    folder.write("ailleurs/vraie.txt", "old");
    fs::permissions(folder.path / "ailleurs/vraie.txt", fs::perms(0640));
    fs::create_symlink("ailleurs/vraie.txt", folder.path / "tessallien.txt");
    ASSERT_FALSE(writeFileAtomically(savedGamePath(folder.str(), "lien"), "new"));
    EXPECT_TRUE(fs::is_symlink(folder.path / "tessallien.txt"));
    EXPECT_EQ(folder.read("ailleurs/vraie.txt"), "new");
    EXPECT_EQ(fs::status(folder.path / "ailleurs/vraie.txt").permissions(), fs::perms(0640));
}

// Only a plain file is replaced: a link to anything else is refused, and what it leads to
// left as it was.
TEST(Files, ASaveReplacesNothingButASavedGame) {
    TempFolder folder;
    fs::create_directories(folder.path / "ailleurs/dossier");
    fs::create_symlink("boucle", folder.path / "ailleurs/boucle");
    ASSERT_EQ(::mkfifo((folder.path / "ailleurs/fifo").c_str(), 0644), 0);
    std::vector<std::string> refused = {"fifo", "dossier", "boucle"};
    if (::mknod((folder.path / "ailleurs/null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        refused.push_back("null"); // as root
    for (const std::string& name : refused) {
        const fs::path link = folder.path / ("tessal" + name + ".txt"),
                       away = folder.path / "ailleurs" / name;
        fs::create_symlink(away, link);
        const auto was = fs::symlink_status(away).type();
        EXPECT_EQ(writeFileAtomically(link.string(), "new"),
                  "ce nom est pris par autre chose qu'une partie enregistrée");
        EXPECT_TRUE(fs::is_symlink(link));
        EXPECT_EQ(fs::symlink_status(away).type(), was) << name;
    }
}

// A FAT stick through FUSE's fusefat keeps no permissions: saves go in all the same.
TEST(Files, AFatStickTakesSavesUnlessMountedReadOnly) {
    TempFolder stick;
    const std::string image = stick.str() + "/img", point = stick.str() + "/point";
    const auto mount = [&](const std::string& mode) {
        return std::system(("fusefat -o " + mode + " " + image + " " + point + " >/dev/null 2>&1")
                               .c_str()) == 0;
    };
    const auto unmount = [&] { return std::system(("fusermount -u " + point).c_str()) == 0; };
    fs::create_directory(point);
    if (std::system(("mkfs.vfat -C " + image + " 2048 >/dev/null 2>&1").c_str()) != 0 ||
        !mount("rw+"))
        GTEST_SKIP() << "no FAT volume through fusefat here";
    const std::string path = savedGamePath(point, "partie");
    EXPECT_EQ(writeFileAtomically(path, "first"), std::nullopt);
    EXPECT_EQ(writeFileAtomically(path, "second"), std::nullopt);
    EXPECT_TRUE(unmount() && mount("ro"));
    EXPECT_EQ(writeFileAtomically(path, "third"), "le volume est en lecture seule");
    EXPECT_EQ(stick.read("point/tessalpartie.txt"), "second");
    EXPECT_EQ(std::distance(fs::directory_iterator(point), fs::directory_iterator()), 1);
    EXPECT_TRUE(unmount());
}

// Another user's doing, played as root by handing files or the save itself to "nobody".
constexpr uid_t kNobody = 65534;

TEST(Files, SomebodyElsesLinkInASharedFolderIsNotWrittenThrough) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can make a link that belongs to somebody else";
    TempFolder shared, victim;
    fs::permissions(shared.path, fs::perms(01777));
    victim.write("secret", "data");
    const fs::path link = shared.path / "tessalx.txt";
    fs::create_symlink(victim.path / "secret", link);
    ASSERT_EQ(::lchown(link.c_str(), kNobody, kNobody), 0);
    EXPECT_TRUE(writeFileAtomically(savedGamePath(shared.str(), "x"), "board"));
    EXPECT_EQ(victim.read("secret"), "data");
    EXPECT_TRUE(fs::is_symlink(link));
}

TEST(Files, AFolderThatCanBeWrittenButNotReadIsSavedIntoAndSaidSo) {
    TempFolder folder;
    folder.write("tessalz.txt", "earlier");
    fs::permissions(folder.path, fs::perms(0333));
    const pid_t child = fork();
    if (child == 0) { // root reads any folder: the save runs as its owner, "nobody"
        if (::geteuid() == 0 &&
            (::chown(folder.path.c_str(), kNobody, kNobody) != 0 ||
             ::chown((folder.path / "tessalz.txt").c_str(), kNobody, kNobody) != 0 ||
             ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
            _exit(2);
        _exit(writeFileAtomically(savedGamePath(folder.str(), "z"), "new") ? 1 : 0);
    }
    int status = -1;
    ::waitpid(child, &status, 0);
    fs::permissions(folder.path, fs::perms(0755));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(folder.read("tessalz.txt"), "new");
}

TEST(Files, ASaveKilledAtAnyMomentLeavesNothingBehind) {
    TempFolder folder;
    const std::string path = savedGamePath(folder.str(), "tuee");
    const std::string board = lines({}, "J5", 81);
    std::mt19937 random(7);
    for (int kill = 0; kill < 20; ++kill) {
        const pid_t child = fork();
        if (child == 0) {
            for (;;)
                writeFileAtomically(path, board);
        }
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution<>(0, 5000)(random)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    ASSERT_FALSE(writeFileAtomically(path, board)); // and a later save sweeps up after them
    EXPECT_EQ(folder.read("tessaltuee.txt"), board);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path), fs::directory_iterator()), 1);
}

TEST(Reset, AfterAResumeGivesBackTheResumedGivens) {
    MemoryCells cells;
    GameValues values;
    ScriptedRandom random = testing::digitsInOrder();
    GameCommands commands(cells, values, random);
    commands.Form_Load();
    const auto dealt = values;
    const auto board = parseBoard(lines({"G4", "J2", "J0", "G0"}, "G0", 81));
    ASSERT_TRUE(board);
    applyBoard(cells, *board);
    commands.Command3_Click();
    EXPECT_EQ(cells.cells[1].text, "4");
    EXPECT_EQ(cells.cells[2].text, "");
    EXPECT_EQ(cells.cells[2].colour, kGivenColour);
    for (int cell : kBoardOrder) {
        if (cell > 1) {
            EXPECT_EQ(cells.cells[cell].text, "") << cell;
        }
    }
    EXPECT_EQ(values.solution, dealt.solution);
    EXPECT_EQ(values.permutation, dealt.permutation);
}

} // namespace
} // namespace tessal
