#include "SplashDlg.h"

#include "ColourConvert.h"
#include "DialogUnits.h"
#include "QtText.h"
#include "SkinDraw.h"
#include "SkinFont.h"
#include "SkinInfo.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontMetrics>
#include <QPainter>
#include <QScreen>

namespace {

constexpr QSize kTemplateSize(186, 63);

} // namespace

CSplashDlg::CSplashDlg(QWidget* pParent) : QDialog(pParent), m_font(MakeSkinFont("Arial", -13, 400))
{
    const CSkinInfo& skin = GetSkinInfo();
    m_crGradientTop = skin.m_crDialogGradientTop;
    m_crGradientBottom = skin.m_crDialogGradientBottom;
    m_crText = skin.m_crDialogText;
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint);
    setWindowTitle(QStringLiteral("Kestova"));
    setFixedSize(CDialogUnits::ToPixels(kTemplateSize));
}

CMyString CSplashDlg::GetLine()
{
    CMyString strLine("Please Wait While Loading DIAPLAY_TITLE...");
    strLine.Replace("DIAPLAY_TITLE", "Kestova");
    return strLine;
}

QRect CSplashDlg::GetTextRect() const
{
    const QFontMetrics metrics(m_font);
    const int nHeight = metrics.boundingRect(QRect(0, 0, 0, 0), Qt::AlignLeft, ToQString(GetLine())).height();
    return QRect(0, (height() - nHeight) / 2, width(), nHeight);
}

void CSplashDlg::ShowPainted()
{
    constexpr int kMaxWaitMs = 500;
    show();
    QElapsedTimer waited;
    waited.start();
    while (!m_bPainted && waited.elapsed() < kMaxWaitMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents, 10);
    }
}

void CSplashDlg::paintEvent(QPaintEvent*)
{
    m_bPainted = true;
    QPainter painter(this);
    FillGradient(painter, rect(), m_crGradientTop, m_crGradientBottom);
    painter.setFont(m_font);
    painter.setPen(ToQColor(m_crText));
    painter.drawText(GetTextRect(), Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine,
                     ToQString(GetLine()));
}

void CSplashDlg::showEvent(QShowEvent* pEvent)
{
    QDialog::showEvent(pEvent);
    if (const QScreen* pScreen = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(pScreen->availableGeometry().center());
        move(frame.topLeft());
    }
}
