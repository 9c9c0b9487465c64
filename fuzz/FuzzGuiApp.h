// The one QGuiApplication of a fuzz target, on the offscreen platform, for the
// readers that take desktop colours or fill item models. It lives until the
// process ends.
#pragma once

#include <QGuiApplication>
#include <cstdlib>

inline void EnsureGuiApplication()
{
    static int s_nArgc = 1;
    static char s_name[] = "kestova-fuzz";
    static char* s_argv[] = {s_name, nullptr};
    if (QGuiApplication::instance() == nullptr) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        new QGuiApplication(s_nArgc, s_argv);
    }
}
