// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QEvent>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <sys/resource.h>

// For the start-up benchmark: once the first table of the program has been painted, prints the peak
// resident size in KiB on one line and ends the process at once.
class FirstPaintReporter : public QObject {
public:
    explicit FirstPaintReporter(QObject* parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        if (!m_reported && event->type() == QEvent::Paint && qobject_cast<QAbstractItemView*>(object->parent())) {
            m_reported = true;
            QTimer::singleShot(0, [] {
                rusage usage{};
                getrusage(RUSAGE_SELF, &usage);
                std::printf("%ld\n", usage.ru_maxrss);
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return QObject::eventFilter(object, event);
    }

private:
    bool m_reported = false;
};

inline void ReportFirstPaint(QApplication& application) {
    application.installEventFilter(new FirstPaintReporter(&application));
}
