// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "engine/settings/SettingControls.h"
#include "gui/common/EscDialog.h"
#include "gui/common/LazyDialog.h"

#include <array>
#include <functional>

class QCheckBox;
class QColorDialog;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStandardItemModel;
class QTabWidget;

namespace mitoran {

class HolidayGridModel;
class Questions;
class Session;
class TabbingGrid;
class TPassChangeForm;
class TPrintSettingForm;
class TPrivateInfoForm;

// The settings dialog "環境設定": four pages over the settings and the company holiday calendar. Every showing
// fills the controls from the settings; "登 録" stores them, saves the settings and the holiday list and reports
// Registered; "ｷｬﾝｾﾙ" reloads the settings as stored, dropping what the sub-dialogs changed.
class TSetting : public EscDialog {
    Q_OBJECT

public:
    // Help topics of the pages, in page order.
    static constexpr std::array<int, 4> kPageTopics{50, 60, 65, 70};

    TSetting(Session& session, Questions& questions, QWidget* parent);
    ~TSetting() override;

    // Whether the last OK changed the closing day and chose to re-create the current month.
    bool RecreateMonth() const { return m_recreateMonth; }

    // Cancel, also from the title bar.
    void reject() override;

signals:
    // OK stored and saved the settings; the windows that show them follow.
    void Registered();
    // F1 on a page.
    void HelpRequested(int topic);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    QWidget* BuildKinmuPage();
    QWidget* BuildJikokuPage();
    QWidget* BuildKyujituPage();
    QWidget* BuildSonotaPage();
    void BuildBreakGridMenu();

    void FormShow();
    void FillControls();
    void OkButtonClick();
    void ReadCurrentButtonClick();
    void ChangePassword(QLineEdit* box);
    void PrintTiltleButtonClick();
    void PrivateInfoButtonClick();
    void CellColorComboBoxChange();
    void CellColorCheckBoxClick();
    void CellColorPanelClick();
    void IconSelectComboBoxChange();
    void BreakRowCommand(int (*command)(BreakRows&, int));
    void EditCommand(const std::function<void(QLineEdit&)>& command);
    void ReportWriteError(const std::exception& error);

    Session& m_session;
    Questions& m_questions;
    int m_shownSimeDay = 31;
    CellColorCopy m_colors;
    bool m_recreateMonth = false;

    QTabWidget* m_pages = nullptr;
    QStandardItemModel* m_breakModel = nullptr;
    TabbingGrid* m_breakGrid = nullptr;
    HolidayGridModel* m_holidays = nullptr;
    TabbingGrid* m_holidayGrid = nullptr;
    QComboBox* m_cellColorCombo = nullptr;
    QCheckBox* m_cellColorCheck = nullptr;
    QPushButton* m_cellColorPanel = nullptr;
    QComboBox* m_iconCombo = nullptr;
    QLabel* m_iconImage = nullptr;
    QLineEdit* m_passEdit = nullptr;
    QLineEdit* m_kinPassEdit = nullptr;
    QPushButton* m_readCurrentButton = nullptr;
    QPushButton* m_okButton = nullptr;
    QColorDialog* m_colorDialog = nullptr;
    LazyDialog<TPassChangeForm> m_passChange;
    LazyDialog<TPrivateInfoForm> m_privateInfo;
    LazyDialog<TPrintSettingForm> m_printSetting;
};

} // namespace mitoran
