#pragma once
// The one QApplication of a Qt test program, on the offscreen platform, and a way to
// answer the next modal window (a message box, a dialog, a file dialog) as a user would.

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace qttest {

inline QApplication& application() {
    static int argc = 1;
    static char name[] = "roamwise-test";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}

// Calls ANSWER with the next modal window once it is open (polling, as it opens inside a
// nested event loop the test cannot reach otherwise).
inline void answerNextModal(std::function<void(QWidget&)> answer, int attempts = 250) {
    QTimer::singleShot(20, [answer = std::move(answer), attempts]() mutable {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            answer(*modal);
        } else if (attempts > 0) {
            answerNextModal(std::move(answer), attempts - 1);
        }
    });
}

}  // namespace qttest

// Fontconfig keeps a cache for the life of the process that LeakSanitizer reports as a
// leak when Qt lays out text; it is not ours and not a growing leak. (Defined here, as
// each Qt test program includes this header from one file.)
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig\n";
}
