#pragma once

#include <QApplication>
#include <QByteArray>

// The one application object that a widget-painting fuzz target needs, on the headless
// platform with a fixed style. It lives until the process ends, reachable from here, so the
// leak checker does not count it.
inline void fuzzApplication()
{
    static QApplication *application = nullptr;
    if (application != nullptr) {
        return;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_STYLE_OVERRIDE", "fusion");
    static int argc = 1;
    static char name[] = "kelmo-fuzz";
    static char *argv[] = {name, nullptr};
    application = new QApplication(argc, argv);
}
