#include "app/family_check.h"

#include "core/messages.h"
#include "platform/app_identity.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

// The family's launcher program, which runs beside the others by design.
const QString kFamilyLauncher = QStringLiteral("qelstart");

bool IsFamilyLauncher(const QString& fileName)
{
    const QString base = QFileInfo(fileName).completeBaseName();
    return base.compare(kFamilyLauncher, Qt::CaseInsensitive) == 0;
}

}  // namespace

bool IsInstallerFile(const QString& fileName)
{
    return fileName.endsWith(QStringLiteral("instaluj.exe"), Qt::CaseInsensitive) ||
           fileName.endsWith(QStringLiteral("instaluj"), Qt::CaseInsensitive);
}

QStringList RunningFamilyPrograms(const QString& ownPath, const QStringList& running)
{
    QStringList names;
    const QString own = QFileInfo(ownPath).canonicalFilePath();
    for (const QString& path : running) {
        const QString fileName = QFileInfo(path).fileName();
        if (QFileInfo(path).canonicalFilePath() == own || IsFamilyLauncher(fileName) || IsInstallerFile(fileName))
            continue;
        const TNazwaAplikacji id = qel::ReadApplicationIdentity(path);
        if (!id.companyName.contains(QStringLiteral("qel"), Qt::CaseInsensitive))
            continue;
        names.append(id.displayName);
    }
    return names;
}

FamilyCheckResult FamilyCheck(bool ask, bool stop)
{
    FamilyCheckResult result;
    const QStringList names =
        RunningFamilyPrograms(QCoreApplication::applicationFilePath(), qel::RunningExecutables());
    if (names.isEmpty())
        return result;
    result.othersRun = true;
    if (!ask)
        return result;
    const QString head = QStringLiteral(
        "Uwaga! Inny program Qel, korzystający z tego samego zestawu danych, jest już uruchomiony. "
        "Czy na pewno chcesz kontynuować?");
    const QString detail = QStringLiteral(
        "Zalecamy, aby w jednej chwili tylko jeden z programów Qel był uruchomiony. Zapewni to "
        "integralność danych i zapobiegnie kłopotom.\r\nUruchomiony program:\r\n") +
        names.join(QStringLiteral("\r\n"));
    if (ShowMessage(head, detail))
        result.othersRun = false;
    else if (stop)
        result.stopProgram = true;
    return result;
}
