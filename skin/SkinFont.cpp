#include "SkinFont.h"

#include <QStringList>
#include <algorithm>
#include <mutex>

namespace {

void InstallSubstitutes()
{
    static std::once_flag s_once;
    std::call_once(s_once, [] {
        const QStringList sans = {"Liberation Sans", "Arimo", "DejaVu Sans"};
        QFont::insertSubstitutions("Arial", sans);
        QFont::insertSubstitutions("MS Sans Serif", sans);
        QFont::insertSubstitutions("Microsoft Sans Serif", sans);
        QFont::insertSubstitutions("Tahoma", {"DejaVu Sans Condensed", "DejaVu Sans", "Liberation Sans"});
    });
}

} // namespace

QFont MakeSkinFont(const char* pFace, int nHeight, int nWeight)
{
    InstallSubstitutes();
    QFont font(QString::fromUtf8(pFace));
    // A cell height includes the internal leading, about a fifth of it.
    const int nPixels = nHeight < 0 ? -nHeight : nHeight * 4 / 5;
    if (nPixels > 0)
        font.setPixelSize(nPixels);
    font.setWeight(static_cast<QFont::Weight>(std::clamp(nWeight <= 0 ? 400 : nWeight, 1, 1000)));
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}
