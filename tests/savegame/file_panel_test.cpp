#include "savegame/file_panel.h"

#include "savegame/saved_game.h"
#include "support/fakes.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

namespace tessal {
namespace {

namespace fs = std::filesystem;
using testing::MemoryCells;
using testing::RecordingDialogs;
using enum PanelControl;

// The panel's controls in memory; a folder change runs Dir1_Change as the real list does.
class MemoryPanel final : public PanelView {
  public:
    std::map<PanelControl, bool> shown{{Label, true}};
    std::string label;
    std::string folder;
    std::string volume = "/";
    std::vector<std::string> savedGames;
    int selected = -1;
    FilePanel* panel = nullptr;

    void setShown(PanelControl control, bool visible) override { shown[control] = visible; }
    bool isShown(PanelControl control) const override {
        return shown.count(control) && shown.at(control);
    }
    std::string labelText() const override { return label; }
    void setLabelText(const std::string& text) override { label = text; }
    std::string folderPath() const override { return folder; }
    bool setFolderPath(const std::string& path) override {
        std::error_code error;
        if (!fs::is_directory(path, error))
            return false;
        if (path != folder) {
            folder = path;
            panel->Dir1_Change();
        }
        return true;
    }
    std::string volumeText() const override { return volume; }
    void showVolumeOf(const std::string& folder) override { volume = "holding " + folder; }
    void clearSavedGames() override { savedGames.clear(); }
    void addSavedGame(const std::string& gameName) override { savedGames.push_back(gameName); }
    std::string selectedSavedGame() const override {
        return selected >= 0 ? savedGames.at(static_cast<std::size_t>(selected)) : "";
    }
};

struct FilePanelTest : ::testing::Test {
    fs::path root;
    MemoryCells cells;
    RecordingDialogs dialogs;
    MemoryPanel view;
    FilePanel panel{cells, view, dialogs};

    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tessal-panel-XXXXXX").string();
        root = mkdtemp(pattern.data());
        fs::create_directory(root / "sub");
        view.folder = root.string();
        view.panel = &panel;
        for (int cell : kBoardOrder)
            cells.set(cell, "G0");
        cells.set(1, "G3");
        cells.set(2, "J4");
        cells.set(3, "J0");
    }
    void TearDown() override { fs::remove_all(root); }

    std::string read(const fs::path& path) const {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), {});
    }
    void write(const fs::path& path, const std::string& bytes) const {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::vector<bool> visibility() const {
        return {view.isShown(Label), view.isShown(Folders), view.isShown(Volumes),
                view.isShown(SaveButton), view.isShown(SavedGames)};
    }
    void save(const std::string& name) {
        dialogs.answers.push_back(name);
        panel.Command6_Click();
    }
};

using V = std::vector<bool>;

TEST_F(FilePanelTest, SavingOpensThePanelAndWritesTheBoard) {
    panel.Command4_Click();
    EXPECT_EQ(visibility(), (V{true, true, true, true, false}));
    EXPECT_EQ(view.label, root.string());
    save("une");
    EXPECT_EQ(dialogs.prompts,
              std::vector<std::string>{"Nom du fichier ?|Saisir le nom du fichier"});
    EXPECT_EQ(visibility(), (V{false, false, false, false, false}));
    EXPECT_EQ(read(root / "tessalune.txt"), boardBytes(cells));
    EXPECT_TRUE(dialogs.messages.empty()); // no message confirms a save
}

TEST_F(FilePanelTest, AnEmptyLabelAsksForAFolderFirst) {
    panel.Command6_Click();
    ASSERT_EQ(dialogs.texts(),
              std::vector<std::string>{"Doubleclick pour choisir un répertoire d'enregistrement"});
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Warning);
    EXPECT_FALSE(dialogs.messages[0].title);
    EXPECT_TRUE(dialogs.prompts.empty());
}

TEST_F(FilePanelTest, ACancelledNameClosesTheWholePanelAndWritesNothing) {
    panel.Command5_Click();
    panel.Command4_Click();
    save("");
    EXPECT_EQ(visibility(), (V{false, false, false, false, false}));
    EXPECT_EQ(std::distance(fs::directory_iterator(root), fs::directory_iterator()), 1);
}

TEST_F(FilePanelTest, SavingWithTheListOpenKeepsItAndWritesIntoTheFolderNotThePattern) {
    panel.Command4_Click();
    panel.Command5_Click();
    EXPECT_EQ(view.label, (root / "tessal*.txt").string());
    save("deux");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(fs::exists(root / "tessaldeux.txt"));
    EXPECT_EQ(visibility(), (V{false, false, false, false, true}));
    EXPECT_TRUE(view.savedGames.empty()); // not refilled
}

TEST_F(FilePanelTest, ARefusedNameIsToldWhatIsWrongWithItAndShownAsTheListsShowIt) {
    panel.Command4_Click();
    for (auto [bad, told] :
         {std::pair{"../evil",
                    "../evil\u2069 » ne peut pas servir : il ne doit contenir ni « / » ni « \\ »."},
          {"x\ny", "x\uFFFDy\u2069 » ne peut pas servir : il contient un saut de ligne."},
          {"del\x7f",
           "del\uFFFD\u2069 » ne peut pas servir : il contient un caractère de contrôle."},
          {"16\u202Eman.exe", "16\uFFFDman.exe\u2069 » ne peut pas servir : il contient une marque "
                              "invisible qui change l'ordre du texte."},
          {"bob\u200B", "bob\uFFFD\u2069 » ne peut pas servir : il contient un caractère "
                        "invisible, qui le ferait ressembler à un autre nom."}}) {
        dialogs.messages.clear();
        save(bad);
        EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"Le nom « \u2068" + std::string(told)});
        EXPECT_TRUE(view.isShown(SaveButton)); // the panel stays usable
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(root), fs::directory_iterator()), 1);
    EXPECT_FALSE(fs::exists(root.parent_path() / "tessal../evil.txt"));
}

TEST_F(FilePanelTest, AFileThatCannotBeWrittenIsReportedAndTheEarlierSaveSurvives) {
    write(root / "tessalgarde.txt", "earlier");
    fs::create_directory(root / "tessaldossier.txt");
    panel.Command4_Click();
    save("dossier");
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].text.find((root / "tessaldossier.txt").string()),
              std::string::npos);
    EXPECT_EQ(visibility(), (V{true, true, true, true, false}));
    view.label = (root / "missing").string();
    save("garde");
    EXPECT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(read(root / "tessalgarde.txt"), "earlier");
}

TEST_F(FilePanelTest, TheListShowsTheFoldersGamesAndFollowsTheFolder) {
    write(root / "tessalB.txt", "x");
    write(root / "tessalA.txt", "x");
    write(root / "sub" / "tessalS.txt", "x");
    panel.Command5_Click();
    EXPECT_EQ(view.savedGames, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(visibility(), (V{true, true, true, false, true}));
    view.setFolderPath((root / "sub").string()); // a double-click
    EXPECT_EQ(view.savedGames, std::vector<std::string>{"S"});
    EXPECT_EQ(view.label, (root / "sub" / "tessal*.txt").string());
}

TEST_F(FilePanelTest, AFolderNamedLikeThePatternIsSavedInto) {
    const fs::path odd = root / "tessal*.txt";
    fs::create_directory(odd);
    view.folder = odd.string();
    panel.Command4_Click(); // the label shows the folder itself, no pattern added
    save("a");
    panel.Command4_Click();
    panel.Command5_Click(); // now the pattern is added to it
    save("b");
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_TRUE(fs::exists(odd / "tessala.txt"));
    EXPECT_TRUE(fs::exists(odd / "tessalb.txt"));
}

TEST_F(FilePanelTest, AFolderThatCannotBeListedSaysSo) {
    view.folder = (root / "gone").string(); // removed while the panel was open
    panel.Command5_Click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].text.find((root / "gone").string()), std::string::npos);
    EXPECT_TRUE(view.savedGames.empty());
    EXPECT_TRUE(view.isShown(SavedGames));
}

TEST_F(FilePanelTest, AnEmptyFolderGivesAnEmptyListWithoutAMessage) {
    panel.Command5_Click();
    EXPECT_TRUE(view.savedGames.empty());
    EXPECT_TRUE(view.isShown(SavedGames));
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FilePanelTest, ResumingLoadsTheBoardAndClosesTheList) {
    panel.Command4_Click();
    save("r");
    const std::string saved = read(root / "tessalr.txt");
    for (int cell : kBoardOrder)
        cells.set(cell, "J9");
    view.shown[SaveButton] = true;
    panel.Command5_Click();
    view.selected = 0;
    panel.List2_Click();
    EXPECT_EQ(boardBytes(cells), saved);
    EXPECT_EQ(visibility(), (V{false, false, false, true, false}));
    panel.Command4_Click();
    save("r2"); // the same bytes under another name
    EXPECT_EQ(read(root / "tessalr2.txt"), saved);
}

TEST_F(FilePanelTest, TheEmptyGameNameIsListedAndOpens) {
    std::string bytes;
    for (int n = 0; n < 81; ++n)
        bytes += "J8\r\n";
    write(root / "tessal.txt", bytes);
    panel.Command5_Click();
    ASSERT_EQ(view.savedGames, std::vector<std::string>{""});
    view.selected = 0;
    panel.List2_Click();
    EXPECT_EQ(cells.cells[89].text, "8");
}

TEST_F(FilePanelTest, UnsoundOrVanishedFilesChangeNothing) {
    const std::string before = boardBytes(cells);
    std::string shortFile, nonDigit, binary(324, '\x01'), huge;
    for (int n = 0; n < 80; ++n)
        shortFile += "G1\r\n";
    nonDigit = shortFile + "GZ\r\n";
    huge = std::string(1 << 20, '7'); // one endless line
    write(root / "tessalshort.txt", shortFile);
    write(root / "tessalnondigit.txt", nonDigit);
    write(root / "tessalbinary.txt", binary);
    write(root / "tessalhuge.txt", huge);
    write(root / "tessalgone.txt", before);
    write(root / "tessal16\u202Eman.exe.txt", shortFile);
    panel.Command5_Click();
    fs::remove(root / "tessalgone.txt");
    for (std::size_t k = 0; k < view.savedGames.size(); ++k) {
        dialogs.messages.clear();
        view.selected = static_cast<int>(k);
        panel.List2_Click();
        ASSERT_EQ(dialogs.messages.size(), 1u) << view.savedGames[k];
        EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Critical);
        EXPECT_EQ(boardBytes(cells), before) << view.savedGames[k];
        EXPECT_TRUE(view.isShown(SavedGames));
    }
    // The box names the file as the list does, and says why; the games are in reading order.
    for (auto [row, told] :
         {std::pair{0, "16\uFFFDman.exe.txt\u2069 » ne peut pas être reprise : ce n'est pas une "
                       "partie enregistrée valide."},
          {2, "gone.txt\u2069 » ne peut pas être reprise : le fichier n'existe plus."}}) {
        view.selected = row;
        dialogs.messages.clear();
        panel.List2_Click();
        EXPECT_EQ(dialogs.texts(), std::vector<std::string>{"La partie du fichier « \u2068" +
                                                            root.string() + "/tessal" + told});
    }
}

TEST_F(FilePanelTest, ASoundStartFollowedByAMegabyteOfJunkLoads) {
    std::string bytes;
    for (int n = 0; n < 81; ++n)
        bytes += "J5\r\n";
    write(root / "tessallong.txt", bytes + std::string(1 << 20, 'z'));
    panel.Command5_Click();
    view.selected = 0;
    panel.List2_Click();
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(cells.cells[89].text, "5");
}

TEST_F(FilePanelTest, AVolumeThatCannotBeReadIsReportedAndTheSaveStaysWhereItWas) {
    panel.Command4_Click();
    panel.Command5_Click();
    view.volume = (root / "nomedium").string();
    panel.Drive1_Change();
    ASSERT_EQ(dialogs.texts(), std::vector<std::string>{"Le périphérique n'est pas disponible"});
    EXPECT_EQ(dialogs.messages[0].title, std::optional<std::string>("Erreur"));
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(view.folder, root.string());
    EXPECT_EQ(view.volume, "holding " + root.string());
    EXPECT_EQ(view.label, (root / "tessal*.txt").string());
    save("ici");
    EXPECT_TRUE(fs::exists(root / "tessalici.txt"));
}

TEST_F(FilePanelTest, AnotherVolumeMovesTheFolderList) {
    panel.Command4_Click();
    view.volume = (root / "sub").string();
    panel.Drive1_Change();
    EXPECT_EQ(view.folder, (root / "sub").string());
    EXPECT_EQ(view.label, (root / "sub").string());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(FilePanelTest, ADroppedSavedGameIsKeptAsItsBytesAndAnythingElseRefused) {
    std::string sound;
    for (int n = 0; n < 81; ++n)
        sound += n % 2 ? "j5\n" : "G0\r\n";
    panel.Command5_Click();
    for (auto [name, bytes] : {std::pair{"notes.txt", sound},
                               {"tessala/b.txt", sound},
                               {"tessal\u200Bx.txt", sound},
                               {"tessal.txt", sound},
                               {"tessalbad.txt", "\x01" + sound},
                               {"tessalbig.txt", sound + std::string(kMaxReadBytes, '\n')}}) {
        dialogs.messages.clear();
        panel.addSavedGameFile(name, bytes);
        EXPECT_EQ(dialogs.texts(),
                  std::vector<std::string>{"Le fichier « \u2068" + shownAsListed(name) +
                                           "\u2069 » ne peut pas être ajouté : ce n'est pas une "
                                           "partie enregistrée valide."});
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(root), fs::directory_iterator()), 1);
    dialogs.messages.clear();
    panel.addSavedGameFile("tessalété.txt", sound);
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(read(root / "tessalété.txt"), sound);
    EXPECT_EQ(view.savedGames, std::vector<std::string>{"été"}); // the open list shows it
}

} // namespace
} // namespace tessal
