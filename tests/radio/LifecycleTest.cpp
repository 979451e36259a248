#include "RadioFixture.h"

#include "radio/DocLifecycle.h"

#include <csignal>
#include <deque>
#include <filesystem>
#include <sys/resource.h>
#include <variant>

namespace {

// Answers the lifecycle's questions from a script and records what was asked.
class ScriptedQuestions : public CDocQuestions {
public:
    std::deque<std::variant<bool, Answer, std::string>> answers;
    std::vector<std::string> asked; // "kind|text|caption"

    bool AskOkCancel(const std::string& text, const std::string& caption) override {
        asked.push_back("okcancel|" + text + "|" + caption);
        return std::get<bool>(Next());
    }
    Answer AskYesNoCancel(const std::string& text, const std::string& caption) override {
        asked.push_back("yesnocancel|" + text + "|" + caption);
        return std::get<Answer>(Next());
    }
    void ShowStop(const std::string& text, const std::string& caption) override {
        asked.push_back("stop|" + text + "|" + caption);
    }
    std::string AskSaveFileName(const std::string& title) override {
        asked.push_back("savename|" + title);
        return std::get<std::string>(Next());
    }

private:
    std::variant<bool, Answer, std::string> Next() {
        EXPECT_FALSE(answers.empty()) << "a question nobody expected";
        if (answers.empty()) {
            return false;
        }
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class LifecycleTest : public RadioTest {
protected:
    void SetUp() override {
        RadioTest::SetUp();
        m_doc.AddViewObserver([this] { ++m_views; });
        m_life.m_bSilentNew = true;
        ASSERT_TRUE(m_life.FileNew());
        m_q.asked.clear();
        m_views = 0;
    }

    void Edit() {
        m_doc.SetFreqText(1, true, "440");
        m_doc.SetModifiedFlag(true);
    }

    CDromelPgmDoc m_doc;
    ScriptedQuestions m_q;
    CDocLifecycle m_life{m_doc, m_q};
    int m_views = 0;
};

using Answer = CDocQuestions::Answer;

} // namespace

TEST_F(LifecycleTest, FirstDocumentIsASilentModelTwoDocument) {
    EXPECT_EQ(m_doc.GetModel(), 2);
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_FALSE(m_life.m_bSilentNew);
    EXPECT_EQ(m_doc.GetTitle(), "default");
}

TEST_F(LifecycleTest, NewAsksToClearAndCancelKeepsEverything) {
    m_doc.SetFreqText(1, true, "440");
    const MemoryImage before = m_doc.Image();
    m_q.answers = {false};
    EXPECT_FALSE(m_life.FileNew());
    EXPECT_EQ(m_q.asked, (std::vector<std::string>{"okcancel|Clear all data?|Prompt"}));
    EXPECT_EQ(m_doc.Image(), before);
    EXPECT_EQ(m_doc.GetHeader(), kOwnHeader);
    EXPECT_EQ(m_views, 0);

    m_q.answers = {true};
    EXPECT_TRUE(m_life.FileNew());
    EXPECT_TRUE(m_doc.IsRxEmpty(1));
    EXPECT_EQ(m_views, 1);
}

TEST_F(LifecycleTest, UnsavedChangesAreOfferedForSavingFirst) {
    Edit();
    m_q.answers = {Answer::Cancel};
    EXPECT_FALSE(m_life.FileNew());
    EXPECT_EQ(m_q.asked[0], "yesnocancel|Save changes to default?|Prompt");
    EXPECT_FALSE(m_doc.IsRxEmpty(1));

    m_q.asked.clear();
    m_q.answers = {Answer::Yes, m_dir.file("kept.dpm"), true};
    EXPECT_TRUE(m_life.FileNew());
    EXPECT_EQ(m_q.asked.size(), 3u);
    EXPECT_EQ(m_q.asked[1], "savename|default");
    EXPECT_EQ(m_dir.read("kept.dpm").size(), 1072u);
    EXPECT_TRUE(m_doc.IsRxEmpty(1));
    EXPECT_FALSE(m_doc.IsModified());
    EXPECT_EQ(m_doc.GetPathName(), "");
}

TEST_F(LifecycleTest, AFailedSaveStopsTheNewDocument) {
    Edit();
    m_q.answers = {Answer::Yes, m_dir.file("no/such/folder/x.dpm")};
    EXPECT_FALSE(m_life.FileNew());
    ASSERT_EQ(m_q.asked.size(), 3u);
    EXPECT_EQ(m_q.asked[2].rfind("stop|Cannot save the file " + m_dir.file("no/such/folder/x.dpm") +
                                     ": No such file or directory|Error",
                                 0),
              0u)
        << m_q.asked[2];
    EXPECT_FALSE(m_doc.IsRxEmpty(1));
    EXPECT_TRUE(m_doc.IsModified());
}

TEST_F(LifecycleTest, OpenReplacesTheDocumentQuietly) {
    CDromelPgmDoc other;
    other.NewDocument();
    other.SetFreqText(5, true, "445.5");
    ASSERT_TRUE(other.SaveFile(m_dir.file("other.dpm")));
    EXPECT_TRUE(m_life.OpenDocumentFile(m_dir.file("other.dpm")));
    EXPECT_TRUE(m_q.asked.empty());
    EXPECT_EQ(m_doc.GetFreqText(5, true), "445.50000");
    EXPECT_EQ(m_doc.GetTitle(), "other.dpm");
    EXPECT_FALSE(m_life.m_bSilentNew);
    EXPECT_GE(m_views, 1);
}

TEST_F(LifecycleTest, OpenWithUnsavedChangesAsksAndNoDiscards) {
    Edit();
    m_q.answers = {Answer::No};
    EXPECT_FALSE(m_life.OpenDocumentFile(m_dir.file("missing.dpm")));
    ASSERT_EQ(m_q.asked.size(), 2u);
    EXPECT_EQ(m_q.asked[1], "stop|Cannot open the file " + m_dir.file("missing.dpm") +
                                ": No such file or directory|Error");
    // The fresh model-2 document of the open remains.
    EXPECT_TRUE(m_doc.IsRxEmpty(1));
    EXPECT_EQ(m_doc.GetModel(), 2);
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(LifecycleTest, ForeignHeaderIsReported) {
    const std::string path =
        m_dir.write("foreign.dpm", std::string(48, 'x') + std::string(1024, '\0'));
    EXPECT_TRUE(m_life.OpenDocumentFile(path));
    EXPECT_EQ(m_q.asked, (std::vector<std::string>{"stop|Not a data file of this program.|"}));
    EXPECT_EQ(m_doc.Image()[0], 0xFF);
    EXPECT_EQ(m_doc.GetModel(), -1);
    // The erased image is not the file's: a Save must not write it over the file.
    EXPECT_EQ(m_doc.GetPathName(), "");
}

TEST_F(LifecycleTest, SaveAsksWithThePathAndCancelWritesNothing) {
    ASSERT_TRUE(m_life.DoSave(m_dir.file("a.dpm")));
    Edit();
    m_q.answers = {false};
    EXPECT_FALSE(m_life.FileSave());
    EXPECT_EQ(m_q.asked, (std::vector<std::string>{"okcancel|Overwrite the file" +
                                                   m_dir.file("a.dpm") + "|Prompt"}));
    CDromelPgmDoc onDisk;
    ASSERT_TRUE(onDisk.LoadFile(m_dir.file("a.dpm")));
    EXPECT_TRUE(onDisk.IsRxEmpty(1));

    m_q.answers = {true};
    EXPECT_TRUE(m_life.FileSave());
    ASSERT_TRUE(onDisk.LoadFile(m_dir.file("a.dpm")));
    EXPECT_FALSE(onDisk.IsRxEmpty(1));
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(LifecycleTest, ARelativeNameIsKeptAsTheFullPath) {
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(m_dir.path());
    const bool saved = m_life.DoSave("./rel.dpm");
    std::filesystem::current_path(before);
    ASSERT_TRUE(saved);
    EXPECT_EQ(m_doc.GetPathName(), m_dir.file("rel.dpm"));
    Edit();
    m_q.answers = {true};
    EXPECT_TRUE(m_life.FileSave()); // the same file, wherever the program now stands
    EXPECT_EQ(m_q.asked, (std::vector<std::string>{"okcancel|Overwrite the file" +
                                                   m_dir.file("rel.dpm") + "|Prompt"}));
    CDromelPgmDoc onDisk;
    ASSERT_TRUE(onDisk.LoadFile(m_dir.file("rel.dpm")));
    EXPECT_FALSE(onDisk.IsRxEmpty(1));
}

TEST_F(LifecycleTest, SaveOfANewDocumentAsksForANameOnly) {
    m_q.answers = {std::string()};
    EXPECT_FALSE(m_life.FileSave());
    EXPECT_EQ(m_q.asked, (std::vector<std::string>{"savename|default"}));
    m_q.answers = {m_dir.file("b.dpm")};
    EXPECT_TRUE(m_life.FileSave());
    EXPECT_EQ(m_doc.GetPathName(), m_dir.file("b.dpm"));
}

TEST_F(LifecycleTest, ExitAsksOnlyWhenModified) {
    EXPECT_TRUE(m_life.SaveModified());
    EXPECT_TRUE(m_q.asked.empty());
    ASSERT_TRUE(m_life.DoSave(m_dir.file("c.dpm")));
    Edit();
    m_q.answers = {Answer::Yes};
    EXPECT_TRUE(m_life.SaveModified()); // a document with a name is saved without more questions
    EXPECT_EQ(m_q.asked, (std::vector<std::string>{"yesnocancel|Save changes to c.dpm?|Prompt"}));
    EXPECT_FALSE(m_doc.IsModified());
}

TEST_F(LifecycleTest, FileProblemsAreNamedInTheLanguageInForce) {
    std::filesystem::copy_file(DROMEL_SOURCE_DIR "/res/lang_en.lng", m_dir.file("lang_en.lng"),
                               std::filesystem::copy_options::overwrite_existing);
    EXPECT_FALSE(m_life.OpenDocumentFile(m_dir.path()));
    ASSERT_EQ(m_q.asked.size(), 1u);
    EXPECT_EQ(m_q.asked[0],
              "stop|Cannot open the file " + m_dir.path() + ": it is a folder, not a file|Error");

    // A file-size limit: the program ignores the signal, so the save fails and says why.
    const auto previous = ::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 512;
    ::setrlimit(RLIMIT_FSIZE, &small);
    m_q.answers = {m_dir.file("big.dpm")};
    const bool savedFile = m_life.FileSaveAs();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, previous);
    EXPECT_FALSE(savedFile);
    ASSERT_EQ(m_q.asked.size(), 3u);
    EXPECT_EQ(m_q.asked[2],
              "stop|Cannot save the file " + m_dir.file("big.dpm") + ": File too large|Error");
    EXPECT_FALSE(std::filesystem::exists(m_dir.file("big.dpm")));
}
