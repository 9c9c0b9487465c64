#include "MyMessageBox.h"

#include "ColourConvert.h"
#include "DialogUnits.h"
#include "Logging.h"
#include "MessageBoxLayout.h"
#include "QtText.h"
#include "SkinDraw.h"
#include "SkinFont.h"
#include "SkinInfo.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

namespace {

// The dialog's template, in dialog units.
constexpr QSize kTemplateSize(186, 90);
constexpr QRect kOkRect(39, 72, 50, 11);
constexpr QRect kCancelRect(103, 72, 50, 11);
constexpr QRect kNoRect(123, 72, 50, 11);
constexpr QRect kYesRect(15, 72, 50, 11);
constexpr QRect kMessageRect(7, 7, 172, 44);

} // namespace

CMyMessageBox::CMyMessageBox(const CMyString& strText, unsigned uType, QWidget* pParent)
    : QDialog(pParent), m_strText(strText), m_uType(uType), m_btnCancel(this), m_btnOk(this), m_btnYes(this),
      m_btnNo(this), m_message(this)
{
    const CSkinInfo& skin = GetSkinInfo();
    m_crGradientTop = skin.m_crDialogGradientTop;
    m_crGradientBottom = skin.m_crDialogGradientBottom;
    m_crText = skin.m_crDialogText;
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint);
    setModal(true);
    setFont(MakeSkinFont("MS Sans Serif", -11, 400));
    resize(CDialogUnits::ToPixels(kTemplateSize));
    SetUpButton(m_btnOk, "OK", CMessageBoxLayout::kIdOk, kOkRect);
    SetUpButton(m_btnCancel, "Cancel", CMessageBoxLayout::kIdCancel, kCancelRect);
    SetUpButton(m_btnNo, "No", CMessageBoxLayout::kIdNo, kNoRect);
    SetUpButton(m_btnYes, "Yes", CMessageBoxLayout::kIdYes, kYesRect);
    m_btnYes.hide();
    m_message.setGeometry(CDialogUnits::ToPixels(kMessageRect));
    m_message.setTextFormat(Qt::PlainText);
    m_message.setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QPalette palette = m_message.palette();
    palette.setColor(QPalette::WindowText, ToQColor(m_crText));
    m_message.setPalette(palette);
    m_message.setAutoFillBackground(false);
    InitDialog();
}

CMyMessageBox::~CMyMessageBox() = default;

void CMyMessageBox::SetUpButton(CMyOwnButton& button, const char* pCaption, int nId,
                                const QRect& templateRect)
{
    button.Create(pCaption, CDialogUnits::ToPixels(templateRect), this, nId);
    button.SetType(2);
    button.SetGradient(true);
    button.SetGradientInversion(0);
    button.SetColors(GetSkinInfo().m_toolbarButtons);
    connect(&button, &QAbstractButton::clicked, this, [this, nId] { done(nId); });
}

QSize CMyMessageBox::MeasureText() const
{
    // One block, broken only where the text breaks: the widest line and the
    // height of all lines.
    const QFontMetrics metrics(m_message.font());
    return metrics.boundingRect(QRect(0, 0, 0, 0), Qt::AlignLeft, ToQString(m_strText)).size();
}

void CMyMessageBox::InitDialog()
{
    setWindowTitle(QStringLiteral("Kestova"));
    const QSize text = MeasureText();
    QSize client = CMessageBoxLayout::ClientSizeForText(text, m_btnOk.height());
    m_message.setText(ToQString(m_strText));
    m_message.setGeometry(CMessageBoxLayout::kTextLeft, CMessageBoxLayout::kTextTop, text.width(),
                          text.height());
    std::vector<CMyOwnButton*> shown;
    for (int nId : CMessageBoxLayout::ButtonsForType(m_uType))
        shown.push_back(GetButton(nId));
    std::vector<QSize> sizes;
    for (CMyOwnButton* pButton : {&m_btnCancel, &m_btnOk, &m_btnYes, &m_btnNo})
        pButton->setVisible(std::find(shown.begin(), shown.end(), pButton) != shown.end());
    for (CMyOwnButton* pButton : shown)
        sizes.push_back(pButton->size());
    const std::vector<QRect> placed = CMessageBoxLayout::PlaceButtons(client, sizes);
    for (size_t i = 0; i < shown.size(); ++i)
        shown[i]->setGeometry(placed[i]);
    setFixedSize(client);
}

int CMyMessageBox::DoModal()
{
    qCDebug(lcUser, "message box: \"%s\"", qPrintable(m_message.text()));
    return exec();
}

int CMyMessageBox::Show(const CMyString& strText, unsigned uType)
{
    CMyMessageBox box(strText, uType);
    return box.DoModal();
}

CMyOwnButton* CMyMessageBox::GetButton(int nId)
{
    switch (nId) {
    case CMessageBoxLayout::kIdOk:
        return &m_btnOk;
    case CMessageBoxLayout::kIdCancel:
        return &m_btnCancel;
    case CMessageBoxLayout::kIdYes:
        return &m_btnYes;
    case CMessageBoxLayout::kIdNo:
        return &m_btnNo;
    default:
        return nullptr;
    }
}

void CMyMessageBox::reject()
{
    done(CMessageBoxLayout::kIdCancel);
}

void CMyMessageBox::keyPressEvent(QKeyEvent* pEvent)
{
    const bool bEnter = pEvent->key() == Qt::Key_Return || pEvent->key() == Qt::Key_Enter;
    if (bEnter && pEvent->modifiers() == Qt::NoModifier) {
        if (!m_btnOk.isHidden())
            done(CMessageBoxLayout::kIdOk);
        return;
    }
    QDialog::keyPressEvent(pEvent);
}

void CMyMessageBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    FillGradient(painter, rect(), m_crGradientTop, m_crGradientBottom);
}

void CMyMessageBox::showEvent(QShowEvent* pEvent)
{
    QDialog::showEvent(pEvent);
    if (const QScreen* pScreen = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(pScreen->availableGeometry().center());
        move(frame.topLeft());
    }
    raise();
    activateWindow();
}
