// The main form on a document of its own, in a program folder with the tests' settings file
// and language file, shown and active so that keys and clicks reach it.
#pragma once

#include "app/AppPaths.h"
#include "app/DialogBuilder.h"
#include "radio/DromelPgmDoc.h"
#include "views/DromelPgmView.h"

#include "ProgramFolder.h"
#include "app/AppTestFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir.MakeCurrent();
        m_doc.NewDocument();
        m_view = std::make_unique<CDromelPgmView>(m_doc);
        m_view->show();
        m_view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_view.get()));
    }

    QComboBox* Combo(int id) const {
        return qobject_cast<QComboBox*>(GetDlgItem(m_view.get(), id));
    }
    QCheckBox* CheckBox(int id) const {
        return qobject_cast<QCheckBox*>(GetDlgItem(m_view.get(), id));
    }
    CGridCtrl& Grid() const { return m_view->Grid(); }
    QString Cell(int row, int col) const { return Grid().GetItemText(row, col); }
    bool IsGreyed(int row, int col) const {
        return (Grid().GetItemState(row, col) & CS_READONLY) != 0;
    }

    // Moves a drop-down list by steps entries with the arrow keys, as a user does.
    void Step(int id, int steps) const {
        QComboBox* combo = Combo(id);
        combo->setFocus();
        for (int i = 0; i < std::abs(steps); ++i) {
            QTest::keyClick(combo, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
        }
    }

    // A channel with both frequencies set, as a read from the radio leaves it.
    void SetChannel(int n, const std::string& rx, const std::string& tx, bool scan = true) {
        m_doc.SetFreqText(n, true, rx);
        m_doc.SetFreqText(n, false, tx);
        m_doc.SetToneText(n, true, "");
        m_doc.SetToneText(n, false, "");
        m_doc.SetScanAdd(n, scan);
        m_doc.SetNarrow(n, false);
        m_doc.SetOptCol6(n, false);
        m_doc.SetOptCol8(n, false);
    }

    ProgramFolder m_dir;
    CDromelPgmDoc m_doc;
    std::unique_ptr<CDromelPgmView> m_view;
};
