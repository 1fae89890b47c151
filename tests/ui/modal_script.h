#pragma once
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

namespace qxed::testing {

// Acts on a modal window from inside its own loop: the action runs once the window's exec has started.
// Should the action leave the window open, it is closed after a while, so that a failing test ends.
inline void WhenShown(QDialog* dialog, std::function<void()> action) {
    QTimer::singleShot(0, dialog, [dialog, action = std::move(action)] {
        action();
        QTimer::singleShot(3000, dialog, [dialog] {
            if (!dialog->isVisible()) return;
            ADD_FAILURE() << dialog->objectName().toStdString() << " stayed open";
            dialog->done(QDialog::Rejected);
        });
    });
}

}  // namespace qxed::testing
