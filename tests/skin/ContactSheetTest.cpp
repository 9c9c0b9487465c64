// The shipped skin: every picture the controls name exists at the size its
// control is made, and one contact sheet (a PNG in the build folder) shows the
// whole skin at once: a miniature main window, every picture button in each of
// its states, the slider, the gradient buttons, the message boxes and the
// splash window. Look at the sheet after restyling the skin.
#include "ColourConvert.h"
#include "MyMessageBox.h"
#include "MyOwnButton.h"
#include "MyPicture.h"
#include "MySlider.h"
#include "MyStaticButton.h"
#include "Picture.h"
#include "SkinFont.h"
#include "SkinInfo.h"
#include "SkinTestSupport.h"
#include "SplashDlg.h"
#include "TestHome.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

struct PictureSize
{
    const char* pName;
    int nWidth;
    int nHeight;
};

// The picture buttons and the sizes their controls are created with.
constexpr PictureSize kButtonPictures[] = {
    {"Stop", 55, 63},       {"Play", 52, 63},    {"Prev", 52, 63},    {"Next", 52, 63},
    {"FullScreen", 55, 63}, {"MuteOn", 32, 63},  {"MuteOff", 32, 63}, {"PresetOff", 29, 30},
    {"PresetOn", 29, 30},   {"Station", 29, 34}, {"Close", 17, 17},   {"Minimize", 17, 17},
    {"Maximize", 17, 17},   {"Restore", 17, 17},
};
constexpr const char* kStates[] = {"", "Hover", "Pressed"};

QSize SizeOf(const CMyString& strPath)
{
    CMyPicture picture;
    picture.Load(strPath);
    int nWidth = 0;
    int nHeight = 0;
    picture.GetSize(nWidth, nHeight);
    return QSize(nWidth, nHeight);
}

CMyString SkinPath(const char* pName, const char* pState = "", const char* pExtension = ".Gif")
{
    CMyString strPath("res\\Skin\\");
    strPath += pName;
    strPath += pState;
    strPath += pExtension;
    return strPath;
}

class ShippedSkin : public CQtTest
{
protected:
    void SetUp() override
    {
        EnsureApplication();
        g_strPath = PathText(SourceRoot());
    }
    void TearDown() override { g_strPath.Empty(); }
    CTestHome m_home;
};

TEST_F(ShippedSkin, EveryButtonPictureHasItsControlsSizeAndATransparentCorner)
{
    for (const PictureSize& picture : kButtonPictures) {
        for (const char* pState : kStates) {
            const CMyString strPath = SkinPath(picture.pName, pState);
            EXPECT_EQ(SizeOf(strPath), QSize(picture.nWidth, picture.nHeight)) << strPath.GetText();
            CPicture decoded;
            decoded.Load(strPath);
            QImage corner(1, 1, QImage::Format_ARGB32);
            corner.fill(qRgb(255, 0, 255));
            QPainter painter(&corner);
            decoded.Render(painter, QRect(0, 0, picture.nWidth, picture.nHeight), true);
            painter.end();
            EXPECT_EQ(corner.pixel(0, 0), qRgb(255, 0, 255)) << strPath.GetText();
        }
    }
    EXPECT_EQ(SizeOf("res\\Skin\\SliderBG.gif"), QSize(19, 63));
    const QSize knob = SizeOf("res\\Skin\\SliderButton.Gif");
    EXPECT_TRUE(knob.width() > 0 && knob.width() <= 19 && knob.height() > 0 && knob.height() <= 21);
    const QSize search = SizeOf("res\\MoviesSearch.gif");
    EXPECT_TRUE(search.height() > 0 && search.height() <= 16) << "fits a 20-pixel button with its margins";
}

TEST_F(ShippedSkin, FramePiecesFitTheMainWindowsInsets)
{
    // The splitter is inset 20, 30, 20 and 84 pixels; the bottom strip is 40 high.
    const QSize barLeft = SizeOf("res\\skin\\BarLeft.gif");
    const QSize cornerLeft = SizeOf("res\\skin\\CornerLeft.gif");
    EXPECT_EQ(barLeft.height(), 30);
    EXPECT_EQ(SizeOf("res\\skin\\BarTop.gif").height(), 30);
    EXPECT_EQ(SizeOf("res\\skin\\Left2.gif").width(), 20);
    EXPECT_EQ(cornerLeft.height() + 40, 84);
    EXPECT_EQ(SizeOf("res\\skin\\Bottom.gif").height(), cornerLeft.height());
    const char* pairs[][2] = {{"BarLeft", "BarRight"},
                              {"CornerLeft", "CornerRight"},
                              {"Left2", "Right2"},
                              {"Left3", "Right3"},
                              {"MidLeft", "MidRight"}};
    for (const auto& pair : pairs)
        EXPECT_EQ(SizeOf(SkinPath(pair[0], "", ".gif")), SizeOf(SkinPath(pair[1], "", ".gif"))) << pair[0];
    EXPECT_FALSE(SizeOf("res\\skin\\MidTop.gif").isEmpty());
    EXPECT_FALSE(SizeOf("res\\skin\\Left3.gif").isEmpty());
}

// A miniature main window: the border painted from the frame pieces, the
// panes in the skin's colours, the search bar's controls and the bottom row.
class CWindowPreview : public QWidget
{
public:
    explicit CWindowPreview(QWidget* pParent) : QWidget(pParent) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const int nW = width();
        const int nH = height();
        CMyPicture picture;
        auto size = [&picture](const char* pName) {
            picture.Load(SkinPath(pName, "", ".gif"));
            int nWidth = 0;
            int nHeight = 0;
            picture.GetSize(nWidth, nHeight);
            return QSize(nWidth, nHeight);
        };
        auto at = [&picture](const char* pName, QPainter& target, int nX, int nY) {
            picture.Load(SkinPath(pName, "", ".gif"));
            picture.DrawAt(target, nX, nY);
        };
        auto stretch = [&picture](const char* pName, QPainter& target, const QRect& rect) {
            picture.Load(SkinPath(pName, "", ".gif"));
            picture.Render(target, rect, true);
        };
        const QSize barLeft = size("BarLeft");
        const QSize barRight = size("BarRight");
        const QSize cornerLeft = size("CornerLeft");
        const QSize cornerRight = size("CornerRight");
        const int nB = nH - cornerLeft.height();
        const QSize left3 = size("Left3");
        const QSize right3 = size("Right3");
        const QSize midLeft = size("MidLeft");
        const int nM = nB - 40 - midLeft.height();
        const QSize left2 = size("Left2");
        at("BarLeft", painter, 0, 0);
        at("BarRight", painter, nW - barRight.width(), 0);
        stretch("BarTop", painter,
                QRect(QPoint(barLeft.width(), 0), QPoint(nW - barRight.width() - 1, barLeft.height() - 1)));
        at("CornerLeft", painter, 0, nB);
        at("CornerRight", painter, nW - cornerRight.width(), nB);
        stretch("Bottom", painter,
                QRect(cornerLeft.width(), nB, nW - cornerRight.width() - cornerLeft.width(), nH - nB));
        stretch("Left3", painter, QRect(0, nB - 40, left3.width(), 40));
        stretch("Right3", painter, QRect(nW - right3.width(), nB - 40, right3.width(), 40));
        at("MidLeft", painter, 0, nM);
        at("MidRight", painter, nW - midLeft.width(), nM);
        stretch("MidTop", painter, QRect(midLeft.width(), nM, nW - 2 * midLeft.width(), nB - 40 - nM));
        stretch("Left2", painter, QRect(0, barLeft.height(), left2.width(), nM - barLeft.height()));
        stretch("Right2", painter,
                QRect(nW - left2.width(), barLeft.height(), left2.width(), nM - barLeft.height()));
        painter.fillRect(QRect(left3.width(), nB - 40, nW - right3.width() - left3.width(), 40),
                         ToQColor(GetSkinInfo().m_crMainBg));
        PaintPanes(painter, QRect(QPoint(20, 30), QPoint(nW - 21, nH - 85)));
    }

private:
    static void PaintPanes(QPainter& painter, const QRect& area)
    {
        const CSkinInfo& skin = GetSkinInfo();
        const QRect tree(area.left(), area.top(), 180, area.height());
        const QRect player(tree.right() + 4, area.top(), area.right() - tree.right() - 4, area.height());
        painter.fillRect(tree, ToQColor(skin.m_crTreeBg));
        painter.fillRect(player, QColor(6, 7, 10));
        painter.setFont(MakeSkinFont("Arial", -13, 600));
        const char* rows[] = {"News",           "   World Service", "   City Radio", "Music",
                              "   Jazz Lounge", "   Rock Classics", "Television",    "   Channel One"};
        int nY = tree.top() + 6;
        for (const char* pRow : rows) {
            const QRect row(tree.left() + 4, nY, tree.width() - 8, 20);
            const bool bSelected = QString(pRow).trimmed() == "Jazz Lounge";
            if (bSelected)
                painter.fillRect(row, ToQColor(skin.m_crTreeSelectedBg));
            painter.setPen(ToQColor(bSelected ? skin.m_crTreeSelectedText : skin.m_crTreeText));
            painter.drawText(row.adjusted(4, 0, 0, 0), Qt::AlignVCenter, pRow);
            nY += 22;
        }
        const QRect status(player.left(), player.bottom() - 21, player.width(), 22);
        painter.fillRect(status, ToQColor(skin.m_crStatusBg));
        painter.setPen(ToQColor(skin.m_crStatusText));
        painter.setFont(MakeSkinFont("Tahoma", -13, 400));
        painter.drawText(status.adjusted(8, 0, 0, 0), Qt::AlignVCenter, "Playing: Jazz Lounge  128 kbit/s");
        QRect tip(player.left() + 30, player.top() + 30, 150, 22);
        painter.fillRect(tip, ToQColor(skin.m_crTooltipBg));
        painter.setPen(ToQColor(skin.m_crTooltipText));
        painter.drawText(tip, Qt::AlignCenter, "Pre-Set A Station");
    }
};

// The top bar's piece stretched over a strip: what the caption buttons sit on.
class CBarStrip : public QWidget
{
public:
    explicit CBarStrip(QWidget* pParent) : QWidget(pParent) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        CMyPicture bar;
        bar.Load("res\\skin\\BarTop.gif");
        bar.Render(painter, rect(), true);
    }
};

class CSheet
{
public:
    CSheet()
    {
        m_page.resize(1180, 1120);
        m_page.setAutoFillBackground(true);
        QPalette palette = m_page.palette();
        palette.setColor(QPalette::Window, QColor(58, 62, 70));
        m_page.setPalette(palette);
    }

    QWidget m_page;
    std::vector<std::pair<QPoint, QString>> m_labels;

    // Every widget of the sheet has a parent on the page, which deletes it.
    template <typename T> T* Add(QWidget* pParent) { return new T(pParent); }

    CMyOwnButton* PictureButton(QWidget* pParent, const char* pName, const char* pState, QPoint at,
                                QSize size)
    {
        CMyOwnButton* pButton = Add<CMyOwnButton>(pParent);
        pButton->Create("", QRect(at, size), pParent, 0);
        pButton->SetType(12);
        pButton->SetBitmapBackground(true);
        pButton->SetImages(SkinPath(pName), SkinPath(pName, "Hover"), SkinPath(pName, "Pressed"));
        if (std::string(pState) == "Hover")
            Hover(*pButton, QPoint(2, 2));
        else if (std::string(pState) == "Pressed")
            Press(*pButton, QPoint(2, 2));
        return pButton;
    }

    CMyOwnButton* GradientButton(QWidget* pParent, const char* pText, QRect rect, int nStyle)
    {
        CMyOwnButton* pButton = Add<CMyOwnButton>(pParent);
        pButton->Create(pText, rect, pParent, 0);
        pButton->SetType(nStyle);
        pButton->SetGradient(true);
        pButton->SetColors(GetSkinInfo().m_toolbarButtons);
        return pButton;
    }

    CMySlider* Slider(QWidget* pParent, QPoint at, int nValue)
    {
        CMySlider* pSlider = Add<CMySlider>(pParent);
        pSlider->Create("", QRect(at, QSize(19, 63)), pParent, 1067);
        pSlider->SetType(12);
        pSlider->SetBitmapBackground(true);
        pSlider->SetImages("res\\Skin\\SliderBG.gif", "res\\Skin\\SliderButton.Gif", "");
        pSlider->SetValue(nValue);
        return pSlider;
    }

    QWidget* Tile(QRect rect, QColor colour)
    {
        QWidget* pTile = Add<QWidget>(&m_page);
        pTile->setGeometry(rect);
        pTile->setAutoFillBackground(true);
        QPalette palette = pTile->palette();
        palette.setColor(QPalette::Window, colour);
        pTile->setPalette(palette);
        return pTile;
    }
};

void BuildWindow(CSheet& sheet, QPoint origin)
{
    const int nW = 780;
    const int nH = 500;
    auto* pWindow = sheet.Add<CWindowPreview>(&sheet.m_page);
    pWindow->setGeometry(QRect(origin, QSize(nW, nH)));
    sheet.m_labels.push_back({origin + QPoint(0, -8), "Main window (reduced)"});
    auto* pEdit = sheet.Tile(QRect(origin + QPoint(17, 6), QSize(200, 19)), QColor(14, 17, 25));
    pEdit->setParent(pWindow);
    pEdit->setGeometry(QRect(QPoint(17, 6), QSize(200, 19)));
    CMyOwnButton* pSearch = sheet.GradientButton(pWindow, "Search", QRect(221, 6, 92, 20), 6);
    pSearch->SetImages("res\\MoviesSearch.gif", "", "");
    CMyOwnButton* pNotice =
        sheet.GradientButton(pWindow, "Newer Version Available", QRect(317, 6, 159, 20), 2);
    pNotice->SetGradientInversion(2);
    auto* pTitle = sheet.Add<CMyStaticButton>(pWindow);
    pTitle->setFont(MakeSkinFont("Arial", -13, 600));
    pTitle->SetTextColour(GetSkinInfo().m_crTitleText);
    pTitle->SetWindowText("Kestova");
    pTitle->setAlignment(Qt::AlignCenter);
    const int nClose = nW - 17 - 17;
    pTitle->setGeometry(486, 8, nClose - 40 - 10 - 486, 16);
    sheet.PictureButton(pWindow, "Minimize", "", QPoint(nClose - 40, 8), QSize(17, 17));
    sheet.PictureButton(pWindow, "Maximize", "", QPoint(nClose - 20, 8), QSize(17, 17));
    sheet.PictureButton(pWindow, "Close", "", QPoint(nClose, 8), QSize(17, 17));
    for (int i = 0; i < 5; ++i) {
        const char* pPreset = (i == 1 || i == 2) ? "PresetOn" : "PresetOff";
        sheet.PictureButton(pWindow, pPreset, "", QPoint(15 + 32 * i, nH - 70), QSize(29, 30));
        sheet.PictureButton(pWindow, "Station", "", QPoint(15 + 32 * i, nH - 40), QSize(29, 34));
    }
    int nX = 177;
    const int nY = nH - 65;
    for (const PictureSize& control : kButtonPictures) {
        if (std::string(control.pName) == "MuteOn") {
            sheet.Slider(pWindow, QPoint(nX, nY), 72);
            nX += 19;
        }
        if (std::string(control.pName) == "MuteOff")
            break;
        sheet.PictureButton(pWindow, control.pName, "", QPoint(nX, nY),
                            QSize(control.nWidth, control.nHeight));
        nX += control.nWidth;
    }
}

void BuildStates(CSheet& sheet, QPoint origin)
{
    const QColor panel = ToQColor(GetSkinInfo().m_crMainBg);
    sheet.m_labels.push_back({origin + QPoint(0, -8), "Picture buttons: normal, hover, pressed"});
    int nRow = 0;
    for (const PictureSize& picture : kButtonPictures) {
        const int nColumn = nRow / 7;
        const QPoint cell = origin + QPoint(nColumn * 330, (nRow % 7) * 74);
        sheet.m_labels.push_back({cell + QPoint(0, 40), picture.pName});
        for (int nState = 0; nState < 3; ++nState) {
            QWidget* pTile = sheet.Tile(QRect(cell + QPoint(90 + nState * 76, 0), QSize(70, 70)), panel);
            const QPoint inside((70 - picture.nWidth) / 2, (70 - picture.nHeight) / 2);
            if (picture.nWidth == 17) {
                auto* pBar = sheet.Add<CBarStrip>(pTile);
                pBar->setGeometry(0, 20, 70, 30);
            }
            sheet.PictureButton(pTile, picture.pName, kStates[nState], inside,
                                QSize(picture.nWidth, picture.nHeight));
        }
        ++nRow;
    }
}

void BuildControls(CSheet& sheet, QPoint origin)
{
    const QColor panel = ToQColor(GetSkinInfo().m_crMainBg);
    sheet.m_labels.push_back({origin + QPoint(0, -8), "Slider at 100, 52 and 0; gradient buttons"});
    QWidget* pSliders = sheet.Tile(QRect(origin, QSize(120, 70)), panel);
    for (int i = 0; i < 3; ++i)
        sheet.Slider(pSliders, QPoint(12 + 36 * i, 3), 100 - 50 * i);
    QWidget* pButtons = sheet.Tile(QRect(origin + QPoint(130, 0), QSize(330, 150)), panel);
    sheet.GradientButton(pButtons, "Normal", QRect(10, 10, 92, 20), 2);
    Hover(*sheet.GradientButton(pButtons, "Hover", QRect(112, 10, 92, 20), 2), QPoint(3, 3));
    Press(*sheet.GradientButton(pButtons, "Pressed", QRect(214, 10, 92, 20), 2), QPoint(3, 3));
    sheet.GradientButton(pButtons, "Inverted", QRect(10, 40, 92, 20), 2)->SetGradientInversion(2);
    sheet.GradientButton(pButtons, "Disabled", QRect(112, 40, 92, 20), 2)->setEnabled(false);
    CMyOwnButton* pSplit = sheet.GradientButton(pButtons, "Search", QRect(10, 70, 92, 20), 6);
    pSplit->SetImages("res\\MoviesSearch.gif", "", "");
    CMyOwnButton* pArrow = sheet.GradientButton(pButtons, "Search", QRect(112, 70, 92, 20), 6);
    pArrow->SetImages("res\\MoviesSearch.gif", "", "");
    Press(*pArrow, QPoint(88, 10));
    CMyOwnButton* pCaption = sheet.GradientButton(pButtons, "Search", QRect(214, 70, 92, 20), 6);
    pCaption->SetImages("res\\MoviesSearch.gif", "", "");
    Press(*pCaption, QPoint(20, 10));
    sheet.GradientButton(pButtons, "OK", QRect(10, 105, 75, 18), 2);
    sheet.GradientButton(pButtons, "Cancel", QRect(95, 105, 75, 18), 2);
}

void PaintDialogs(QPainter& painter, QPoint origin)
{
    painter.setPen(Qt::white);
    painter.drawText(origin + QPoint(0, -8), "Message boxes (types 0, 1, 4) and the splash window");
    CMyMessageBox notice("The Station Was Pre-Set Successfully", 0);
    CMyMessageBox question("This Button Already Contains a Pre-Set Station.\n Would You Like To Replace It?",
                           4);
    CMyMessageBox cancel("No results found\nWould you like to try the web?", 1);
    CSplashDlg splash;
    int nY = origin.y();
    for (QWidget* pDialog : std::initializer_list<QWidget*>{&notice, &cancel, &question, &splash}) {
        painter.fillRect(QRect(origin.x(), nY, pDialog->width(), 18), QColor(30, 33, 40));
        painter.drawText(QRect(origin.x() + 6, nY, pDialog->width(), 18), Qt::AlignVCenter, "Kestova");
        painter.drawImage(QPoint(origin.x(), nY + 18), RenderWidget(*pDialog));
        nY += pDialog->height() + 36;
    }
}

TEST_F(ShippedSkin, ContactSheetShowsTheWholeSkin)
{
    ASSERT_TRUE(GetSkinInfo().LoadFile(PathText(SourceRoot() / "res" / "Skin" / "SkinInfo.xml")));
    CSheet sheet;
    BuildWindow(sheet, QPoint(20, 30));
    BuildStates(sheet, QPoint(20, 580));
    BuildControls(sheet, QPoint(700, 580));
    QImage image = RenderWidget(sheet.m_page);
    QPainter painter(&image);
    painter.setFont(MakeSkinFont("Arial", -13, 600));
    painter.setPen(Qt::white);
    for (const auto& label : sheet.m_labels)
        painter.drawText(label.first, label.second);
    PaintDialogs(painter, QPoint(830, 30));
    painter.end();
    const QString strFile = QString::fromUtf8(KESTOVA_CONTACT_SHEET);
    ASSERT_TRUE(image.save(strFile)) << strFile.toStdString();
    std::cout << "contact sheet: " << strFile.toStdString() << "\n";
}

} // namespace
