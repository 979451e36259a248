// The main form on a document of its own, in a program folder with a settings file and a
// language file written by the test, shown and active so that keys and clicks reach it.
#pragma once

#include "app/AppPaths.h"
#include "app/DialogBuilder.h"
#include "radio/DromelPgmDoc.h"
#include "views/DromelPgmView.h"

#include "app/AppTestFolder.h"
#include "radio/RadioFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

inline const char* kViewLanguage = "[String]\n"
                                   "IDS_NONE=None\n"
                                   "IDS_OFF=Off\n"
                                   "IDS_YES=Yes\n"
                                   "IDS_NO=No\n"
                                   "IDS_WIDE=Wide\n"
                                   "IDS_NARROW=Narrow\n"
                                   "IDS_ERROR=Error\n"
                                   "IDS_ERROR_PRIORITYCH=The priority channel is empty.\n"
                                   "IDS_CONFIRM=Confirm\n"
                                   "IDS_CONFIRM_FREQ=All channels will be cleared.\n"
                                   "[Resource]\n^1203=Monitor Key\n"
                                   "[Face]\nIDS_COL0=CH\nIDS_COL1=RX Freq\nIDS_COL2=RX Tone\n"
                                   "IDS_COL3=TX Freq\nIDS_COL4=TX Tone\nIDS_COL5=Scan\n"
                                   "IDS_COL6=Opt 6\nIDS_COL7=Band\nIDS_COL8=Opt 8\n"
                                   "[monikey]\n0=Off\n1=Monitor\n2=Momentary\n3=Squelch off\n"
                                   "4=Call\n"
                                   "[SCANTYPE]\n0=No scan\n1=Time\n2=Carrier\n"
                                   "[REVERTCH]\n0=Selected\n1=Priority\n";

class ViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetAppDir(m_dir.path());
        m_dir.write("setting.ini", kTestSettings);
        m_dir.write("lang_en.lng", kViewLanguage);
        SetLanguageName("lang_en");
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

    TempDir m_dir;
    CDromelPgmDoc m_doc;
    std::unique_ptr<CDromelPgmView> m_view;
};
