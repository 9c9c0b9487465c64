#include "ModulePath.h"

#include "Process.h"
#include "QtText.h"

#include <QFileInfo>

QStringList ModuleCandidates(const char* pBaseName)
{
    return ProgramFileCandidates(QStringLiteral("lib%1.so").arg(QString::fromLatin1(pBaseName)));
}

QStringList ProgramFileCandidates(const QString& strFile)
{
    const QString strFolder = QFileInfo(ToQString(GetExecutablePath())).absolutePath();
    return {strFolder + u'/' + strFile, strFolder + QStringLiteral("/../lib/") + strFile,
            strFolder + QStringLiteral("/../lib/kestova/") + strFile};
}

QFunctionPointer ResolveModuleEntry(const char* pBaseName, const char* pSymbol,
                                    const QLoggingCategory& category)
{
    for (const QString& strCandidate : ModuleCandidates(pBaseName)) {
        QLibrary library(strCandidate);
        if (QFunctionPointer entry = library.resolve(pSymbol))
            return entry;
        qCDebug(category) << "module not at" << strCandidate << library.errorString();
    }
    return nullptr;
}
