// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/tray/KestrowForm.h"

#include "gui/common/NotificationIcons.h"
#include "gui/common/WindowUtil.h"
#include "platform/Cp932Qt.h"
#include "platform/InstanceChannel.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace mitoran {

using namespace Qt::Literals::StringLiterals;

TKestrowForm::TKestrowForm(KestrowServices services, std::unique_ptr<TrayPort> tray, QWidget* parent)
    : QWidget(parent), m_services(std::move(services)), m_tray(std::move(tray)) {
    setObjectName(u"TKestrowForm"_s);
    setWindowTitle(u"ミトラン"_s);
    auto* openButton = NamedButton(u"OpenButton"_s, u"開く(&O)"_s, this);
    auto* closeButton = NamedButton(u"CloseButton"_s, u"終了(&X)"_s, this);
    openButton->setDefault(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"ミトランは待機しています。"_s, this));
    layout->addLayout(ButtonRow({openButton, closeButton}));
    setFixedSize(sizeHint());

    connect(openButton, &QPushButton::clicked, this, &TKestrowForm::OpenPopMenuClick);
    connect(closeButton, &QPushButton::clicked, this, &TKestrowForm::ClosePopMenuClick);
    connect(m_tray.get(), &TrayPort::OpenRequested, this, &TKestrowForm::OpenPopMenuClick);
    connect(m_tray.get(), &TrayPort::QuitRequested, this, &TKestrowForm::ClosePopMenuClick);
}

TKestrowForm::~TKestrowForm() = default;

bool TKestrowForm::Claim(const QString& name) {
    m_name = name;
    auto listener = std::make_unique<InstanceListener>(this);
    if (!listener->Listen(name))
        return false;
    m_listener = listener.release();
    return true;
}

void TKestrowForm::Present() {
    const QIcon icon = NotificationIcon(m_services.line.iconSelect);
    setWindowIcon(icon);
    if (m_tray->IsAvailable()) {
        m_tray->SetIcon(icon);
        m_tray->SetActive(true);
    } else {
        show();
    }
}

void TKestrowForm::OpenPopMenuClick() {
    if (StartProgram(WatcherAction::Open)) {
        End();
        return;
    }
    // The watcher stays, so that the program can still be reached.
    Claim(m_name);
    QMessageBox::critical(this, u"起動ｴﾗｰ"_s, u"%1 を起動できません。"_s.arg(m_services.program));
}

void TKestrowForm::ClosePopMenuClick() {
    End();
}

void TKestrowForm::SessionEnding() {
    StartProgram(WatcherAction::SessionEnd);
    End();
}

// The name is given up first: a program started while it is held would end at once.
bool TKestrowForm::StartProgram(WatcherAction action) {
    delete std::exchange(m_listener, nullptr);
    QStringList arguments;
    for (const std::string& argument : ProgramArguments(action, m_services.line))
        arguments << ToQString(argument);
    return m_services.start(m_services.program, arguments);
}

void TKestrowForm::End() {
    if (std::exchange(m_ended, true))
        return;
    delete std::exchange(m_listener, nullptr);
    m_tray->SetActive(false);
    close();
    emit Ended();
}

// The window's close button ends the watcher like "終了(&X)".
void TKestrowForm::closeEvent(QCloseEvent* event) {
    End();
    event->accept();
}

} // namespace mitoran
