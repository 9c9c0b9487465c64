// Helpers for the skin's tests: the one QApplication of a test process, mouse
// events, rendering a widget into an image, and GIF files made to order.
#pragma once

#include "MyString.h"

#include <QApplication>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// The repository's root, for the shipped res/ folder.
inline std::filesystem::path SourceRoot()
{
    return std::filesystem::path(KESTOVA_SOURCE_DIR);
}

inline void EnsureApplication()
{
    if (QApplication::instance() != nullptr)
        return;
    static int s_nArgc = 1;
    static char s_szName[] = "skin-test";
    static char* s_ppArgv[] = {s_szName, nullptr};
    new QApplication(s_nArgc, s_ppArgv);
}

// A test fixture whose QApplication exists before its members are made.
class CQtTest : public ::testing::Test
{
protected:
    CQtTest() { EnsureApplication(); }
};

inline void SendMouse(QWidget& widget, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                      Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QMouseEvent event(type, QPointF(pos), QPointF(widget.mapToGlobal(pos)), button, buttons, modifiers);
    QApplication::sendEvent(&widget, &event);
}

inline void Press(QWidget& widget, QPoint pos)
{
    SendMouse(widget, QEvent::MouseButtonPress, pos, Qt::LeftButton, Qt::LeftButton);
}

inline void Release(QWidget& widget, QPoint pos)
{
    SendMouse(widget, QEvent::MouseButtonRelease, pos, Qt::LeftButton, Qt::NoButton);
}

inline void Hover(QWidget& widget, QPoint pos)
{
    SendMouse(widget, QEvent::MouseMove, pos, Qt::NoButton, Qt::NoButton);
}

// What the widget and its children show, in a plain 32-bit image.
inline QImage RenderWidget(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    widget.render(&image);
    return image;
}

// A GIF89a of frames of width x height pixels over a four-colour palette;
// transparentIndex -1 for none. The image data is LZW with a clear code before
// every two pixels, so that all codes stay three bits wide.
inline std::string MakeGif(int nWidth, int nHeight, const std::vector<QRgb>& palette,
                           const std::vector<std::vector<uint8_t>>& frames, int nTransparentIndex)
{
    std::string strGif = "GIF89a";
    auto put16 = [&strGif](int nValue) {
        strGif += static_cast<char>(nValue & 255);
        strGif += static_cast<char>((nValue >> 8) & 255);
    };
    put16(nWidth);
    put16(nHeight);
    strGif += static_cast<char>(0x91); // global table of 4 entries
    strGif += '\0';
    strGif += '\0';
    for (int i = 0; i < 4; ++i) {
        const QRgb rgb = i < static_cast<int>(palette.size()) ? palette[i] : 0;
        strGif += static_cast<char>(qRed(rgb));
        strGif += static_cast<char>(qGreen(rgb));
        strGif += static_cast<char>(qBlue(rgb));
    }
    for (const std::vector<uint8_t>& pixels : frames) {
        strGif += "\x21\xF9\x04";
        strGif += static_cast<char>(nTransparentIndex >= 0 ? 0x05 : 0x04);
        put16(10);
        strGif += static_cast<char>(nTransparentIndex >= 0 ? nTransparentIndex : 0);
        strGif += '\0';
        strGif += '\x2C';
        put16(0);
        put16(0);
        put16(nWidth);
        put16(nHeight);
        strGif += '\0';
        strGif += '\x02';
        std::vector<uint8_t> data;
        uint32_t uBits = 0;
        int nBitCount = 0;
        auto code = [&](uint32_t uCode) {
            uBits |= uCode << nBitCount;
            nBitCount += 3;
            while (nBitCount >= 8) {
                data.push_back(static_cast<uint8_t>(uBits & 255));
                uBits >>= 8;
                nBitCount -= 8;
            }
        };
        for (size_t i = 0; i < pixels.size(); ++i) {
            if (i % 2 == 0)
                code(4);
            code(pixels[i] & 3);
        }
        code(5);
        if (nBitCount > 0)
            data.push_back(static_cast<uint8_t>(uBits & 255));
        for (size_t i = 0; i < data.size(); i += 255) {
            const size_t uCount = std::min<size_t>(255, data.size() - i);
            strGif += static_cast<char>(uCount);
            strGif.append(reinterpret_cast<const char*>(data.data() + i), uCount);
        }
        strGif += '\0';
    }
    strGif += '\x3B';
    return strGif;
}

inline void WriteBytes(const std::filesystem::path& path, const std::string& strBytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << strBytes;
}

// A solid picture of one colour; with bHole the left half is transparent.
inline void WriteSolidGif(const std::filesystem::path& path, int nWidth, int nHeight, QRgb colour,
                          bool bHole = false)
{
    std::vector<uint8_t> pixels(static_cast<size_t>(nWidth * nHeight), 1);
    if (bHole) {
        for (int y = 0; y < nHeight; ++y)
            for (int x = 0; x < nWidth / 2; ++x)
                pixels[static_cast<size_t>(y * nWidth + x)] = 0;
    }
    WriteBytes(path, MakeGif(nWidth, nHeight, {qRgb(0, 0, 0), colour}, {pixels}, bHole ? 0 : -1));
}

inline CMyString PathText(const std::filesystem::path& path)
{
    return CMyString(path.string().c_str());
}
