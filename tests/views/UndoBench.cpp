// Benchmark: 10,000 single-cell edits, then 10,000 undos, once on the document alone and once
// with the main form shown, which shows each undo. Prints the time per edit and per undo and
// the memory the edit history holds.
#include "radio/ChannelRules.h"
#include "radio/UndoHistory.h"
#include "views/DromelPgmView.h"

#include "ProgramFolder.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr int kEdits = 10000;

double Millis(const QElapsedTimer& timer, int count) {
    return static_cast<double>(timer.nsecsElapsed()) / 1e6 / count;
}

void Run(const char* name, bool withForm) {
    CDromelPgmDoc doc;
    doc.NewDocument();
    std::unique_ptr<CDromelPgmView> form;
    if (withForm) {
        form = std::make_unique<CDromelPgmView>(doc);
        form->show();
    }
    CUndoHistory history(doc);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kEdits; ++i) {
        // 400.00000 to 479.99375 MHz on the 6.25 kHz raster, channel after channel.
        const int step = i % 12800;
        const std::string text = std::to_string(400 + step / 160) + "." +
                                 std::to_string(100000 + step % 160 * 625).substr(1);
        CommitChannelFreq(doc, i % kChannelCount + 1, true, text);
    }
    const double editMs = Millis(timer, kEdits);
    const std::size_t steps = history.StepCount();
    const double memoryMb = static_cast<double>(history.MemoryBytes()) / (1024.0 * 1024.0);
    timer.restart();
    for (int i = 0; i < kEdits; ++i) {
        history.Undo();
    }
    const double undoMs = Millis(timer, kEdits);
    std::printf("%-22s %zu steps  edit %.4f ms  undo %.4f ms  history %.2f MB (%.0f bytes a "
                "step)\n",
                name, steps, editMs, undoMs, memoryMb,
                static_cast<double>(history.MemoryBytes()) / static_cast<double>(steps));
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ProgramFolder folder;
    folder.MakeCurrent();
    Run("document alone", false);
    Run("with the main form", true);
    return 0;
}
