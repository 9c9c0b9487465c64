// CPlainMainWindow: the program's window until the skinned main frame takes its
// place: frameless, 1010 x 640, centred in the screen's work area.
#pragma once

#include <QWidget>

class CPlainMainWindow : public QWidget
{
public:
    static constexpr int kWidth = 1010;
    static constexpr int kHeight = 640;

    explicit CPlainMainWindow(QWidget* pParent = nullptr);
};
