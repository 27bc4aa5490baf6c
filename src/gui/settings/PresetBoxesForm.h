// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>
#include <vector>

class QLineEdit;

namespace mitoran {

struct Settings;

// A dialog of numbered one-line boxes over some of the settings, with "登 録" (store, save, close) and
// "ｷｬﾝｾﾙ". The boxes are refilled from the settings on every showing and select their text on entry.
class PresetBoxesForm : public QDialog {
    Q_OBJECT

public:
    // Box n is named boxName.arg(n) and labelled label.arg(n). saveSettings stores the settings and reports
    // a failure to the user.
    PresetBoxesForm(Settings& settings, std::function<void()> saveSettings, int count, const QString& boxName,
                    const QString& label, QWidget* parent);

protected:
    // The text box `index` shows, and storing what it holds.
    virtual QString BoxText(int index) const = 0;
    virtual void StoreBox(int index, const QString& text) = 0;

    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* object, QEvent* event) override;

    Settings& m_settings;

private:
    void OkButtonClick();

    std::function<void()> m_saveSettings;
    std::vector<QLineEdit*> m_boxes;
};

} // namespace mitoran
