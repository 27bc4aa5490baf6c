// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <utility>

namespace mitoran {

// A window's dialog made the first time it is needed, so that start-up builds only what it shows.
template <typename Dialog>
class LazyDialog {
public:
    explicit LazyDialog(std::function<Dialog*()> make) : m_make(std::move(make)) {}

    Dialog& operator*() {
        if (m_dialog == nullptr)
            m_dialog = m_make();
        return *m_dialog;
    }
    Dialog* operator->() { return &**this; }
    // The dialog when it has been made, else nullptr.
    Dialog* IfMade() const { return m_dialog; }

private:
    std::function<Dialog*()> m_make;
    Dialog* m_dialog = nullptr;
};

} // namespace mitoran
